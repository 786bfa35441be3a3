#pragma once

// The viewer's languages, one row each. The start-up reads it from the `locale` file's code to
// the translation and the image folder; the image generator from the image folder to the
// translation and the font that draws the words of the folder's images.
struct LanguageRow
{
    const char *code; // in the `locale` file; empty for English, which needs no translation
    const char *qm; // the compiled translation, without ".qm"; empty for English
    const char *folder; // of its images under :/resource/img/lang_dependent/
    const char *family; // the font of its script in those images
};

// "italien" is the image folder's own spelling.
inline constexpr LanguageRow kLanguageRows[] = {
        {"", "", "english", "Noto Sans"},
        {"ko", "Vistrel_ko", "korean", "Noto Sans CJK KR"},
        {"ja", "Vistrel_ja", "japanese", "Noto Sans CJK JP"},
        {"cn", "Vistrel_cn", "chinese", "Noto Sans CJK SC"},
        {"zh_CN", "Vistrel_zh_cn", "chinese_simple", "Noto Sans CJK SC"},
        {"zh_TW", "Vistrel_zh_tw", "chinese_traditional", "Noto Sans CJK TC"},
        {"fr", "Vistrel_fr", "french", "Noto Sans"},
        {"ge", "Vistrel_ge", "german", "Noto Sans"},
        {"sp", "Vistrel_sp", "spanish", "Noto Sans"},
        {"du", "Vistrel_du", "dutch", "Noto Sans"},
        {"it", "Vistrel_it", "italien", "Noto Sans"},
        {"po", "Vistrel_po", "portuguese", "Noto Sans"},
        {"ru", "Vistrel_ru", "russian", "Noto Sans"},
        {"pol", "Vistrel_pol", "polish", "Noto Sans"},
};

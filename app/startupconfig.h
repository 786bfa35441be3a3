#pragma once

#include <QString>

#include <memory>
#include <vector>

class QCoreApplication;
class QTranslator;

// Reads the `locale` and `model` files beside the program into GlobalSettings and installs
// the translations they select. Runs once on the GUI thread during start-up; owns the
// translators it installed until it is destroyed (after the main window).
class StartupConfig
{
public:
    explicit StartupConfig(const QString &programFolder);
    ~StartupConfig();

    // Language from `locale`, then the framework's own translations.
    void loadLanguage(QCoreApplication &app);
    // Product model from `model`.
    void loadModel();
    // The recording or folder named on the command line (ViewerCommandLine::parse); empty
    // for none.
    void takeStartupPath(const QString &path);

    // The translation file that loadLanguage() loaded for the `locale` code (its full path);
    // empty when none was chosen or it failed to load.
    QString translationFile() const;

    // The translation file base name and resource language for a `locale` code; false when
    // the code is unknown. Exact, case-sensitive comparison.
    static bool languageForCode(const QString &code, QString *qmName, QString *resourceLanguage);

private:
    void install(QCoreApplication &app, std::unique_ptr<QTranslator> translator);

    QString m_folder;
    const QTranslator *m_appTranslator = nullptr;
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

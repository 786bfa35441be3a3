#include "startupconfig.h"

#include "media/configfile.h"
#include "media/globalsettings.h"
#include "translations/languagetable.h"
#include "windowlog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

StartupConfig::StartupConfig(const QString &programFolder)
    : m_folder(programFolder)
{ }

StartupConfig::~StartupConfig()
{
    // Uninstalls happen in the translators' destructors; newest first.
    while (!m_translators.empty())
        m_translators.pop_back();
}

bool StartupConfig::languageForCode(const QString &code, QString *qmName, QString *resourceLanguage)
{
    for (const LanguageRow &row : kLanguageRows) {
        if (*row.code != '\0' && code == QLatin1String(row.code)) {
            *qmName = QLatin1String(row.qm);
            *resourceLanguage = QLatin1String(row.folder);
            return true;
        }
    }
    return false;
}

void StartupConfig::install(QCoreApplication &app, std::unique_ptr<QTranslator> translator)
{
    app.installTranslator(translator.get());
    m_translators.push_back(std::move(translator));
}

void StartupConfig::loadLanguage(QCoreApplication &app)
{
    const QString translationsFolder = m_folder + QStringLiteral("/translations/");
    QString qmName;
    QString language = QStringLiteral("english");
    QString code;
    if (!ConfigFile::readLastLine(m_folder + QStringLiteral("/locale"), &code)) {
        // No locale file at all: the camera's home market.
        qmName = QStringLiteral("Vistrel_ko");
        language = QStringLiteral("korean");
    } else {
        qCDebug(lcWindow).noquote() << "locale: " << code;
        QString resource;
        if (languageForCode(code, &qmName, &resource))
            language = resource;
    }
    GlobalSettings::setResourceLanguage(language);

    const QString qmPath = translationsFolder + qmName;
    qCDebug(lcWindow).noquote() << "resource: " << language << ", qm: " << qmPath;
    if (!qmName.isEmpty()) {
        auto translator = std::make_unique<QTranslator>();
        // Installed even when the file is missing: the texts then stay untranslated.
        const bool loaded = translator->load(qmPath);
        qCDebug(lcWindow).noquote() << "translation" << (loaded ? "loaded" : "not loaded");
        m_appTranslator = translator.get();
        install(app, std::move(translator));
    }

    // The framework's own texts follow the system locale, not the locale file.
    const QString qtFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    auto qtTranslator = std::make_unique<QTranslator>();
    if (qtTranslator->load(
                QLocale::system(), QStringLiteral("qt"), QStringLiteral("_"), qtFolder)) {
        qCDebug(lcWindow).noquote() << "qtTranslator ok";
        install(app, std::move(qtTranslator));
    }
    auto qtBaseTranslator = std::make_unique<QTranslator>();
    if (qtBaseTranslator->load(QStringLiteral("qtbase_") + QLocale::system().name(), qtFolder)) {
        qCDebug(lcWindow).noquote() << "qtBaseTranslator ok";
        install(app, std::move(qtBaseTranslator));
    }
}

QString StartupConfig::translationFile() const
{
    return m_appTranslator ? m_appTranslator->filePath() : QString();
}

void StartupConfig::loadModel()
{
    QString code;
    if (!ConfigFile::readLastLine(m_folder + QStringLiteral("/model"), &code))
        return;
    qCDebug(lcWindow).noquote() << "product type: " << code;
    GlobalSettings::applyProductModel(code);
}

void StartupConfig::takeStartupPath(const QString &path)
{
    if (!path.isEmpty())
        GlobalSettings::setStartupFilePath(path);
}

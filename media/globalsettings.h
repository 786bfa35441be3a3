#pragma once

#include <QString>

#include <atomic>

// Process-wide settings. The start-up code writes the configuration part once on the GUI
// thread before the main window exists; everything else only reads it afterwards, from any
// thread. The two run-time flags at the end are atomics because engine threads read them.
class GlobalSettings
{
public:
    // --- written once at start-up (see StartupConfig), read everywhere afterwards ---
    static QString startupFilePath() { return s_startupFilePath; }
    static QString resourceLanguage() { return s_resourceLanguage; }
    static QString productModelName() { return s_productModelName; }
    static QString productTitle() { return s_productTitle; }
    static bool surroundModel() { return s_surroundModel; }
    static bool mapDisabled() { return s_mapDisabled; }

    // --- run time ---
    // Set by the main window after a hardware decoder was declared dead.
    static bool forceSoftwareDecoding() { return s_forceSoftwareDecoding.load(); }
    static void setForceSoftwareDecoding(bool on) { s_forceSoftwareDecoding.store(on); }
    // Set by the main window while its window moves to another screen.
    static bool screenChanging() { return s_screenChanging.load(); }
    static void setScreenChanging(bool on) { s_screenChanging.store(on); }

    // Start-up only. Applies a product model code (the `model` file's last line).
    static void applyProductModel(const QString &code);
    static void setResourceLanguage(const QString &language) { s_resourceLanguage = language; }
    static void setStartupFilePath(const QString &path) { s_startupFilePath = path; }
    // Restores every setting to its value before start-up (tests probe several models).
    static void resetToDefaults();

private:
    static QString s_startupFilePath;
    static QString s_resourceLanguage;
    static QString s_productModelName;
    static QString s_productTitle;
    static bool s_surroundModel;
    static bool s_mapDisabled;
    static std::atomic<bool> s_forceSoftwareDecoding;
    static std::atomic<bool> s_screenChanging;
};

#include "windowkeys.h"

#include "mainwindow.h"
#include "playlist/playlistwidget.h"
#include "transportcontroller.h"
#include "ui/playercontrolwidget.h"

QVector<KeyTable::Row> WindowKeys::rows(MainWindow *window)
{
    return {
            {QKeySequence(MainWindow::tr("Ctrl+O")),
             MainWindow::tr("Open files"),
             "openFileAction",
             MainWindow::tr("Open File"),
             [window] {
                 window->onOpenFile();
             }},
            {QKeySequence(MainWindow::tr("Ctrl+F")),
             MainWindow::tr("Open folders"),
             "openFolderAction",
             MainWindow::tr("Open Folder"),
             [window] {
                 window->onOpenDir();
             }},
            {QKeySequence(Qt::Key_Space),
             MainWindow::tr("Play or pause"),
             "playPauseAction",
             MainWindow::tr("Play/Pause"),
             [window] {
                 window->transport()->playOrPause();
             }},
            {QKeySequence(QKeySequence::MoveToPreviousPage),
             MainWindow::tr("Previous recording"),
             "previousAction",
             MainWindow::tr("Previous"),
             [window] {
                 window->playList()->playPrevFile();
             }},
            {QKeySequence(QKeySequence::MoveToNextPage),
             MainWindow::tr("Next recording"),
             "nextAction",
             MainWindow::tr("Next"),
             [window] {
                 window->playList()->playNextFile();
             }},
            {QKeySequence(Qt::Key_S),
             MainWindow::tr("Normal play speed"),
             "defaultSpeedAction",
             MainWindow::tr("Default"),
             [window] {
                 window->controlWidget()->onDefaultSpeedButtonClicked();
             }},
            {QKeySequence(Qt::Key_B),
             MainWindow::tr("Normal brightness"),
             "defaultBrightnessAction",
             MainWindow::tr("Default"),
             [window] {
                 window->controlWidget()->onDefaultBrightnessButtonClicked();
             }},
            {QKeySequence(Qt::Key_M),
             MainWindow::tr("Sound off or on"),
             "muteAction",
             MainWindow::tr("Mute ON/OFF"),
             [window] {
                 window->controlWidget()->onMuteButtonClicked();
             }},
            {QKeySequence(Qt::Key_Up),
             MainWindow::tr("Louder"),
             "volumeUpAction",
             MainWindow::tr("Up"),
             [window] {
                 window->controlWidget()->onVolumeUpClicked();
             }},
            {QKeySequence(Qt::Key_Down),
             MainWindow::tr("Quieter"),
             "volumeDownAction",
             MainWindow::tr("Down"),
             [window] {
                 window->controlWidget()->onVolumeDownClicked();
             }},
            {QKeySequence(Qt::Key_Left),
             MainWindow::tr("5 seconds back (one frame back in frame search)"),
             nullptr,
             QString(),
             [window] {
                 window->onSkipKey(TransportController::Back);
             }},
            {QKeySequence(Qt::Key_Right),
             MainWindow::tr("5 seconds forward (one frame forward in frame search)"),
             nullptr,
             QString(),
             [window] {
                 window->onSkipKey(TransportController::Forward);
             }},
            {QKeySequence(Qt::Key_Comma),
             MainWindow::tr("One frame back"),
             nullptr,
             QString(),
             [window] {
                 window->transport()->stepFrame(TransportController::Back);
             }},
            {QKeySequence(Qt::Key_Period),
             MainWindow::tr("One frame forward"),
             nullptr,
             QString(),
             [window] {
                 window->transport()->stepFrame(TransportController::Forward);
             }},
            {QKeySequence(Qt::CTRL | Qt::Key_Left),
             MainWindow::tr("Previous event mark"),
             nullptr,
             QString(),
             [window] {
                 window->onJumpToEventMark(TransportController::Back);
             }},
            {QKeySequence(Qt::CTRL | Qt::Key_Right),
             MainWindow::tr("Next event mark"),
             nullptr,
             QString(),
             [window] {
                 window->onJumpToEventMark(TransportController::Forward);
             }},
            {QKeySequence(Qt::Key_I),
             MainWindow::tr("Clip: in mark at the playing position"),
             nullptr,
             QString(),
             [window] {
                 window->onSetClipMark(ClipMarks::In);
             }},
            {QKeySequence(Qt::Key_O),
             MainWindow::tr("Clip: out mark at the playing position"),
             nullptr,
             QString(),
             [window] {
                 window->onSetClipMark(ClipMarks::Out);
             }},
            {QKeySequence(Qt::Key_F1),
             MainWindow::tr("This list of shortcuts"),
             nullptr,
             QString(),
             [window] {
                 window->onShowShortcuts();
             }},
            // Menu commands without a key.
            {QKeySequence(),
             QString(),
             "darkenAction",
             MainWindow::tr("Darken"),
             [window] {
                 window->controlWidget()->onBrightnessDarkenClicked();
             }},
            {QKeySequence(),
             QString(),
             "brightenAction",
             MainWindow::tr("Brighten"),
             [window] {
                 window->controlWidget()->onBrightnessBrightenClicked();
             }},
            {QKeySequence(),
             QString(),
             "fastAction",
             MainWindow::tr("Fast"),
             [window] {
                 window->controlWidget()->onPlaySpeedFastClicked();
             }},
            {QKeySequence(),
             QString(),
             "slowAction",
             MainWindow::tr("Slow"),
             [window] {
                 window->controlWidget()->onPlaySpeedSlowClicked();
             }},
    };
}

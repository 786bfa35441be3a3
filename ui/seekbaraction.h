#pragma once

// What the player panel's seek bar says of its last move (PlayerWidget::nKeyBoardAction): a drag
// or a click, or one keyboard step either way. The main window hands it to the transport.
enum SeekBarAction { SeekBarDragged = 0, SeekBarStepForward = 1, SeekBarStepBack = 2 };

#include "playlistlog.h"

Q_LOGGING_CATEGORY(lcPlayList, "vistrel.playlist", QtInfoMsg)

#include "removabledrivequery.h"

// Out of line so that the class's vtable has one home.
RemovableDriveQuery::~RemovableDriveQuery() = default;

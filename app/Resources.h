#pragma once
// Resource ids shared by Vandrell.rc and the form.
#define IDI_VANDRELL 1
#define IDB_BACKGROUND 101
#define IDB_CLOSE 102
#define IDB_SELECT_NORMAL 103
#define IDB_SELECT_HOVER 104
#define IDB_START_NORMAL 105
#define IDB_START_HOVER 106

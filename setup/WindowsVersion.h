#pragma once
// The Windows generation: the pure classification and the query of the running system.

// The Windows generation as a code from 0 to 10, from the version query's platform id, major
// and minor version: 1-3 the 9x family (95, 98, Me), 4 NT 4.0, 5-7 NT 5.0-5.2, 8-10 NT 6.0-6.2,
// 0 unknown. Only 9 (NT 6.1, taskbar pins) and 6 (NT 5.1, Quick Launch) change the install.

int ClassifyVersion(unsigned platformId, unsigned major, unsigned minor);

// The version class of the system the installer runs on (see VersionClass.h); 0 when the
// version query fails.

int ClassifyWindowsVersion();

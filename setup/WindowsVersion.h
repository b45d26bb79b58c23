#pragma once
// The version class of the system the installer runs on (see VersionClass.h); 0 when the
// version query fails.

int ClassifyWindowsVersion();

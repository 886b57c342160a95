// Where the handset lives on the host, and the mapping of handset paths
// ("\My Documents\Tallybook\収支.DAT", '/' accepted as separator too) to host paths.
//
// With a device folder (TALLYBOOK_DEVICE=<dir>, or InitDevice(dir) in tests):
//   <dir>/fs is the root "\", <dir>/registry.reg the registry, "My Documents" is
//   "\My Documents" and the program is "\Program Files\Tallybook\tallybook".
// Without one: "\" is the host's "/", "My Documents" the user's documents folder,
//   the program its real path, the registry file lives in the user's config folder.
#pragma once

#include <QString>

namespace plat {

// Reads TALLYBOOK_DEVICE; called once at program start. Creates the folder layout.
void InitDeviceFromEnvironment();
// Selects a device folder explicitly (tests). An empty dir selects the host mode.
// Resets every cached platform state (registry, mutexes, identity, clock, faults).
void InitDevice(const QString& hostDir);

bool HasDeviceFolder();
QString DeviceFolder();     // host path of the device folder, empty in host mode
QString RegistryFilePath(); // host path of the registry export file
QString RuntimeFolder();    // private (0700) host folder for locks and the window lookup

// Handset path of the "My Documents" folder, without a trailing '\'. When create is
// set the folder is created if missing (a failure is ignored, as on the handset).
QString GetMyDocumentsFolder(bool create);
// Handset path of the running program's executable. Empty (and last error set)
// when it cannot be obtained.
QString GetModuleFileName();
// Whether new files can be made in the running program's folder. An installed
// program's folder (/usr/bin) usually refuses them, so data cannot live there.
bool IsProgramFolderWritable();

// Host path for a handset path. Components are matched to existing entries without
// regard to ASCII case; components that do not exist keep the spelling given.
QString ToHostPath(const QString& handsetPath);
// Handset path for a host path inside the device (or the host root).
QString ToHandsetPath(const QString& hostPath);

} // namespace plat

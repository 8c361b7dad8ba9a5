// The sector face's driver as a demand-start kernel service: installed with
// a face file, started (Wine's winedevice.exe loads it), and removed again.
// The service's name is its device's: \\.\<name>.
#ifndef ZANTO_VIRTUAL_CD_FACE_SERVICE_H
#define ZANTO_VIRTUAL_CD_FACE_SERVICE_H

#include <string>

// Installs and starts service `name` for the driver at `driverPath` serving
// `facePath` (both Windows paths), replacing a service of that name left
// behind; waits until \\.\<name> opens. False with the reason.
bool InstallFace(const std::string& name, const std::string& driverPath, const std::string& facePath,
                 std::string* problem);
// Stops and deletes service `name`; true when none is left.
bool RemoveFace(const std::string& name);

#endif

// The entry point winmm calls for the "cdaudio" device type: driver messages
// create and destroy drive instances, MCI commands go to the instance.
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include "virtual_drive.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message,
                                                            LPARAM parameter1, LPARAM parameter2) {
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
      return 1;
    case DRV_OPEN: {
      // Opened outside MCI (a configuration tool) there is no device to be.
      auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(parameter2);
      if (!open) return 1;
      open->wType = MCI_DEVTYPE_CD_AUDIO;
      open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
      auto* drive = new VirtualDrive(open->wDeviceID);
      return reinterpret_cast<LRESULT>(drive);
    }
    case DRV_CLOSE:
      if (driverId > 1) delete reinterpret_cast<VirtualDrive*>(driverId);
      return 1;
    case DRV_QUERYCONFIGURE:
      return 0;
    case DRV_CONFIGURE:
    case DRV_INSTALL:
    case DRV_REMOVE:
      return DRVCNF_OK;
    default:
      break;
  }
  if (message >= DRV_MCI_FIRST && message <= DRV_MCI_LAST) {
    if (driverId <= 1) return MCIERR_UNSUPPORTED_FUNCTION;
    return reinterpret_cast<VirtualDrive*>(driverId)->Command(message, static_cast<DWORD_PTR>(parameter1),
                                                              static_cast<DWORD_PTR>(parameter2));
  }
  return DefDriverProc(driverId, driver, message, parameter1, parameter2);
}

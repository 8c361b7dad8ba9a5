/* The virtual drive's sector face: a kernel-mode driver that presents a
   rendered disc (face_format.h) as a CD-ROM device, so a program reads its
   table of contents and its audio sectors through the system's device stack
   as it would a real drive's. Its service key names the device
   (\Device\<service>, \DosDevices\<service>, so \\.\<service> to a program)
   and holds the face file's NT path in the value FaceFile. The face is read
   once, at load: another disc is another load. */
#include <ddk/ntddk.h>
#include <ntddcdrm.h>
#include <ntddstor.h>

#include "face_format.h"

#define FACE_POOL_TAG 0x65636146 /* "Face" */
#define LEAD_IN_FRAMES 150
#define LEAD_OUT_TRACK 0xAA
#define COOKED_SECTOR_SHIFT 11 /* RAW_READ_INFO counts 2048-byte sectors */
#define NAME_CHARS 128

static struct ZantoFaceHeader g_face;
static HANDLE g_file;
static WCHAR g_deviceName[NAME_CHARS];
static WCHAR g_linkName[NAME_CHARS];
static UNICODE_STRING g_link;

static void Zero(void* p, ULONG n) {
  volatile UCHAR* b = (volatile UCHAR*)p;
  while (n--) *b++ = 0;
}

/* prefix + the last component of `path`, into `out` (NAME_CHARS). */
static BOOLEAN NameAfter(const WCHAR* prefix, const UNICODE_STRING* path, WCHAR* out) {
  USHORT chars = path->Length / sizeof(WCHAR), start = chars, n = 0, i;
  while (start > 0 && path->Buffer[start - 1] != L'\\') --start;
  if (start == chars) return FALSE;
  while (*prefix && n < NAME_CHARS - 1) out[n++] = *prefix++;
  for (i = start; i < chars && n < NAME_CHARS - 1; ++i) out[n++] = path->Buffer[i];
  out[n] = 0;
  return i == chars;
}

static NTSTATUS OpenFace(PUNICODE_STRING registryPath) {
  OBJECT_ATTRIBUTES attributes;
  HANDLE key;
  UNICODE_STRING valueName, fileName;
  IO_STATUS_BLOCK io;
  LARGE_INTEGER offset;
  ULONG got = 0;
  NTSTATUS status;
  /* A REG_SZ path of a few hundred characters. */
  static UCHAR value[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + 1024];
  KEY_VALUE_PARTIAL_INFORMATION* info = (KEY_VALUE_PARTIAL_INFORMATION*)value;

  InitializeObjectAttributes(&attributes, registryPath, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
  status = ZwOpenKey(&key, KEY_READ, &attributes);
  if (!NT_SUCCESS(status)) return status;
  RtlInitUnicodeString(&valueName, L"FaceFile");
  status = ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, info, sizeof(value) - sizeof(WCHAR), &got);
  ZwClose(key);
  if (!NT_SUCCESS(status)) return status;
  if (info->Type != REG_SZ || info->DataLength < sizeof(WCHAR)) return STATUS_OBJECT_NAME_INVALID;
  ((WCHAR*)info->Data)[info->DataLength / sizeof(WCHAR)] = 0;
  RtlInitUnicodeString(&fileName, (PCWSTR)info->Data);

  InitializeObjectAttributes(&attributes, &fileName, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
  status = ZwCreateFile(&g_file, GENERIC_READ | SYNCHRONIZE, &attributes, &io, NULL, FILE_ATTRIBUTE_NORMAL,
                        FILE_SHARE_READ | FILE_SHARE_DELETE, FILE_OPEN,
                        FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0);
  if (!NT_SUCCESS(status)) return status;
  offset.QuadPart = 0;
  status = ZwReadFile(g_file, NULL, NULL, NULL, &io, &g_face, sizeof(g_face), &offset, NULL);
  if (NT_SUCCESS(status) && (io.Information != sizeof(g_face) || g_face.magic != ZANTO_FACE_MAGIC ||
                             g_face.firstTrack != 1 || g_face.lastTrack < 1 ||
                             g_face.lastTrack > ZANTO_FACE_MAX_TRACKS)) {
    status = STATUS_FILE_INVALID;
  }
  if (!NT_SUCCESS(status)) {
    ZwClose(g_file);
    g_file = NULL;
  }
  return status;
}

static void PutAddress(UCHAR* address, ULONG lba, BOOLEAN msf) {
  if (msf) {
    ULONG frames = lba + LEAD_IN_FRAMES;
    address[0] = 0;
    address[1] = (UCHAR)(frames / (75 * 60));
    address[2] = (UCHAR)(frames / 75 % 60);
    address[3] = (UCHAR)(frames % 75);
  } else {
    address[0] = (UCHAR)(lba >> 24);
    address[1] = (UCHAR)(lba >> 16);
    address[2] = (UCHAR)(lba >> 8);
    address[3] = (UCHAR)lba;
  }
}

/* A format-0 table from track `from` on, the lead-out last; its size. */
static ULONG BuildToc(CDROM_TOC* toc, ULONG from, BOOLEAN msf) {
  ULONG n = 0, track, size;
  Zero(toc, sizeof(*toc));
  if (from < 1) from = 1;
  for (track = from; track <= g_face.lastTrack; ++track, ++n) {
    TRACK_DATA* entry = &toc->TrackData[n];
    entry->Control = (UCHAR)g_face.tracks[track - 1].control;
    entry->Adr = 1;
    entry->TrackNumber = (UCHAR)track;
    PutAddress(entry->Address, g_face.tracks[track - 1].startLba, msf);
  }
  toc->TrackData[n].Adr = 1;
  toc->TrackData[n].TrackNumber = LEAD_OUT_TRACK;
  PutAddress(toc->TrackData[n].Address, g_face.leadOutLba, msf);
  size = FIELD_OFFSET(CDROM_TOC, TrackData) + (n + 1) * sizeof(TRACK_DATA);
  toc->Length[0] = (UCHAR)((size - 2) >> 8);
  toc->Length[1] = (UCHAR)(size - 2);
  toc->FirstTrack = 1;
  toc->LastTrack = (UCHAR)g_face.lastTrack;
  return size;
}

static NTSTATUS AnswerToc(PIRP irp, ULONG outLength, ULONG from, BOOLEAN msf) {
  static CDROM_TOC toc;
  ULONG size;
  if (from > g_face.lastTrack && from != LEAD_OUT_TRACK) return STATUS_INVALID_PARAMETER;
  size = BuildToc(&toc, from == LEAD_OUT_TRACK ? g_face.lastTrack + 1 : from, msf);
  if (outLength < FIELD_OFFSET(CDROM_TOC, TrackData)) return STATUS_BUFFER_TOO_SMALL;
  if (size > outLength) size = outLength;
  RtlCopyMemory(irp->AssociatedIrp.SystemBuffer, &toc, size);
  irp->IoStatus.Information = size;
  return STATUS_SUCCESS;
}

static NTSTATUS AnswerRawRead(PIRP irp, const IO_STACK_LOCATION* stack) {
  const RAW_READ_INFO* info = (const RAW_READ_INFO*)irp->AssociatedIrp.SystemBuffer;
  ULONG bytes, lba;
  void* out;
  IO_STATUS_BLOCK io;
  LARGE_INTEGER offset;
  NTSTATUS status;
  if (stack->Parameters.DeviceIoControl.InputBufferLength < sizeof(RAW_READ_INFO)) return STATUS_INVALID_PARAMETER;
  if (info->TrackMode != CDDA) return STATUS_INVALID_DEVICE_REQUEST;
  if (info->DiskOffset.QuadPart < 0 || (info->DiskOffset.QuadPart & ((1 << COOKED_SECTOR_SHIFT) - 1)) != 0) {
    return STATUS_INVALID_PARAMETER;
  }
  lba = (ULONG)(info->DiskOffset.QuadPart >> COOKED_SECTOR_SHIFT);
  if (info->SectorCount == 0 || lba >= g_face.leadOutLba || info->SectorCount > g_face.leadOutLba - lba) {
    return STATUS_INVALID_PARAMETER;
  }
  bytes = info->SectorCount * ZANTO_FACE_SECTOR_BYTES;
  if (stack->Parameters.DeviceIoControl.OutputBufferLength < bytes) return STATUS_BUFFER_TOO_SMALL;
  out = irp->MdlAddress ? MmGetSystemAddressForMdlSafe(irp->MdlAddress, NormalPagePriority) : irp->UserBuffer;
  if (!out) return STATUS_INSUFFICIENT_RESOURCES;
  offset.QuadPart = ZANTO_FACE_HEADER_BYTES + (LONGLONG)lba * ZANTO_FACE_SECTOR_BYTES;
  status = ZwReadFile(g_file, NULL, NULL, NULL, &io, out, bytes, &offset, NULL);
  if (!NT_SUCCESS(status)) return status;
  if (io.Information != bytes) return STATUS_DEVICE_DATA_ERROR;
  irp->IoStatus.Information = bytes;
  return STATUS_SUCCESS;
}

static NTSTATUS Complete(PIRP irp, NTSTATUS status) {
  irp->IoStatus.Status = status;
  if (!NT_SUCCESS(status)) irp->IoStatus.Information = 0;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static NTSTATUS NTAPI DispatchOpenClose(PDEVICE_OBJECT device, PIRP irp) {
  (void)device;
  irp->IoStatus.Information = 0;
  return Complete(irp, STATUS_SUCCESS);
}

static NTSTATUS NTAPI DispatchControl(PDEVICE_OBJECT device, PIRP irp) {
  IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
  ULONG outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
  (void)device;
  irp->IoStatus.Information = 0;
  switch (stack->Parameters.DeviceIoControl.IoControlCode) {
    case IOCTL_CDROM_READ_TOC:
      return Complete(irp, AnswerToc(irp, outLength, 1, TRUE));
    case IOCTL_CDROM_READ_TOC_EX: {
      const CDROM_READ_TOC_EX* ask = (const CDROM_READ_TOC_EX*)irp->AssociatedIrp.SystemBuffer;
      if (stack->Parameters.DeviceIoControl.InputBufferLength < sizeof(*ask)) {
        return Complete(irp, STATUS_INVALID_PARAMETER);
      }
      if (ask->Format != CDROM_READ_TOC_EX_FORMAT_TOC) return Complete(irp, STATUS_INVALID_DEVICE_REQUEST);
      return Complete(irp, AnswerToc(irp, outLength, ask->SessionTrack, ask->Msf != 0));
    }
    case IOCTL_CDROM_RAW_READ:
      return Complete(irp, AnswerRawRead(irp, stack));
    case IOCTL_CDROM_CHECK_VERIFY:
    case IOCTL_STORAGE_CHECK_VERIFY:
    case IOCTL_STORAGE_CHECK_VERIFY2:
      /* The disc never changes while the face is loaded: media change count 0. */
      if (outLength >= sizeof(ULONG)) {
        *(ULONG*)irp->AssociatedIrp.SystemBuffer = 0;
        irp->IoStatus.Information = sizeof(ULONG);
      }
      return Complete(irp, STATUS_SUCCESS);
    case IOCTL_CDROM_SET_SPEED:
      return Complete(irp, STATUS_SUCCESS);  /* a file has one speed */
    default:
      return Complete(irp, STATUS_INVALID_DEVICE_REQUEST);
  }
}

static void NTAPI Unload(PDRIVER_OBJECT driver) {
  IoDeleteSymbolicLink(&g_link);
  if (driver->DeviceObject) IoDeleteDevice(driver->DeviceObject);
  if (g_file) ZwClose(g_file);
  g_file = NULL;
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  UNICODE_STRING deviceName;
  PDEVICE_OBJECT device = NULL;
  NTSTATUS status;
  if (!NameAfter(L"\\Device\\", registryPath, g_deviceName) || !NameAfter(L"\\DosDevices\\", registryPath, g_linkName)) {
    return STATUS_OBJECT_NAME_INVALID;
  }
  status = OpenFace(registryPath);
  if (!NT_SUCCESS(status)) return status;
  RtlInitUnicodeString(&deviceName, g_deviceName);
  RtlInitUnicodeString(&g_link, g_linkName);
  status = IoCreateDevice(driver, 0, &deviceName, FILE_DEVICE_CD_ROM, FILE_REMOVABLE_MEDIA | FILE_READ_ONLY_DEVICE,
                          FALSE, &device);
  if (NT_SUCCESS(status)) {
    status = IoCreateSymbolicLink(&g_link, &deviceName);
    if (!NT_SUCCESS(status)) IoDeleteDevice(device);
  }
  if (!NT_SUCCESS(status)) {
    ZwClose(g_file);
    g_file = NULL;
    return status;
  }
  device->Flags |= DO_DIRECT_IO;
  device->Flags &= ~DO_DEVICE_INITIALIZING;
  driver->MajorFunction[IRP_MJ_CREATE] = DispatchOpenClose;
  driver->MajorFunction[IRP_MJ_CLOSE] = DispatchOpenClose;
  driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchOpenClose;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
  driver->DriverUnload = Unload;
  return STATUS_SUCCESS;
}

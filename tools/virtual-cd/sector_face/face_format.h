/* The face file: a disc rendered flat for the kernel-mode driver, so the
   driver parses nothing. A fixed header (the table of contents), then every
   raw sector from LBA 0 to the lead-out, 2352 bytes each. Shared by the
   driver (C) and the user-mode step that writes it (C++). Little-endian. */
#ifndef ZANTO_VIRTUAL_CD_FACE_FORMAT_H
#define ZANTO_VIRTUAL_CD_FACE_FORMAT_H

#define ZANTO_FACE_MAGIC 0x45434146u /* "FACE" */
#define ZANTO_FACE_HEADER_BYTES 4096
#define ZANTO_FACE_SECTOR_BYTES 2352
#define ZANTO_FACE_MAX_TRACKS 99
#define ZANTO_FACE_CONTROL_DATA 0x04         /* the Q channel's control bits */
#define ZANTO_FACE_CONTROL_PRE_EMPHASIS 0x01

struct ZantoFaceTrack {
  unsigned int startLba;
  unsigned int control;
};

struct ZantoFaceHeader {
  unsigned int magic;
  unsigned int firstTrack; /* always 1: the tracks are numbered from one */
  unsigned int lastTrack;
  unsigned int leadOutLba;
  struct ZantoFaceTrack tracks[ZANTO_FACE_MAX_TRACKS]; /* [0] is track 1 */
};

#endif

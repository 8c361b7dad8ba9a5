// Why the last creation, skin load or skin change of a skin window failed.
#ifndef ZANTO_WINDOW_SKIN_STATUS_H
#define ZANTO_WINDOW_SKIN_STATUS_H

enum SkinStatus : int {
  SkinOk = 0,
  SkinRegionFailed = 1,        // creating a region failed
  SkinSetRegionFailed = 2,     // SetWindowRgn refused the region
  SkinResourceFailed = 3,      // the resource file could not be read or parsed
  SkinImageFailed = 4,         // a picture failed to load; errorText names it
  SkinWindowFailed = 5,        // the main window or its tooltip control
  SkinTooltipFailed = 6,       // registering a tooltip tool
  SkinBackBufferFailed = 7,    // re-creating the back buffer for a new skin
  SkinWorkImageFailed = 8,     // allocating scratchImage or frameImage
  SkinEmptyShape = 9,          // the background is all magenta; errorText names it
};

#endif

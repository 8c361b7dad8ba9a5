#include "app/messages.h"

#include <cstring>

#include "cd/image_sector_source.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "skin/skin_model.h"
#include "window/skin_status.h"
#include "window/skin_window.h"

namespace {

constexpr int kBytesPerMegabyte = 1024 * 1024;

// The line saying why a picture failed.
void PictureReason(ImageStatus status, PictureSize size, char* out, size_t capacity) {
  char format[256];
  switch (status) {
    case ImageCannotOpen:
      LoadText(ProgramModule(), IDS_REASON_CANNOT_OPEN, out, capacity);
      break;
    case ImageReadFailed:
      LoadText(ProgramModule(), IDS_REASON_READ_FAILED, out, capacity);
      break;
    case ImageOutOfMemory:
      LoadText(ProgramModule(), IDS_NO_MEMORY, out, capacity);
      break;
    case ImageTooLarge:
      // The side limit is judged first, so a long side is the one it broke.
      if (size.width > kMaxPictureSide || size.height > kMaxPictureSide) {
        LoadText(ProgramModule(), IDS_REASON_SIDE_TOO_LONG, format);
        FormatText(out, capacity, format, size.width, size.height, kMaxPictureSide);
      } else {
        LoadText(ProgramModule(), IDS_REASON_TOO_MANY_BYTES, format);
        FormatText(out, capacity, format, size.width, size.height,
                   static_cast<int>(kMaxPictureBytes / kBytesPerMegabyte));
      }
      break;
    case ImageUnknownFormat:
      LoadText(ProgramModule(), IDS_REASON_NO_PLUGIN, out, capacity);
      break;
    case ImagePluginFailed:
      LoadText(ProgramModule(), IDS_REASON_PLUGIN_FAILED, out, capacity);
      break;
    default:  // ImageBadData
      LoadText(ProgramModule(), IDS_REASON_BROKEN, out, capacity);
      break;
  }
}

}  // namespace

SkinFailure FailureOf(const SkinWindow& window) {
  SkinFailure failure;
  failure.skinStatus = window.status;
  failure.parseStatus = window.model.status;
  failure.lineNumber = window.model.lineNumber;
  failure.errorText = window.errorText;
  failure.pictureStatus = window.pictureStatus;
  failure.refusedSize = window.refusedPictureSize;
  return failure;
}

void ComposeSkinFailure(const SkinFailure& failure, const char* resourcePath,
                        bool defaultSkinUsed, char* out, size_t capacity) {
  char text[512];
  char reason[256] = "";
  const char* detail = nullptr;  // the path or the picture, after the reason
  if (failure.skinStatus == SkinResourceFailed) {
    detail = resourcePath;
    switch (failure.parseStatus) {
      case ParseOutOfMemory:
        LoadText(ProgramModule(), IDS_NO_MEMORY, text);
        detail = nullptr;
        break;
      case ParseCannotOpen:
        LoadText(ProgramModule(), IDS_RESOURCE_OPEN_FAILED, text);
        break;
      case ParseLineTooLong: {
        char format[512];
        LoadText(ProgramModule(), IDS_RESOURCE_LINE_TOO_LONG, format);
        FormatText(text, sizeof(text), format, failure.lineNumber);
        break;
      }
      case ParseTooLarge: {
        LoadText(ProgramModule(), IDS_RESOURCE_READ_FAILED, text);
        char format[256];
        LoadText(ProgramModule(), IDS_REASON_FILE_TOO_LARGE, format);
        FormatText(reason, sizeof(reason), format,
                   static_cast<int>(kMaxResourceFileBytes / kBytesPerMegabyte));
        break;
      }
      default:
        LoadText(ProgramModule(), IDS_RESOURCE_READ_FAILED, text);
        break;
    }
  } else if (failure.skinStatus == SkinImageFailed) {
    LoadText(ProgramModule(), IDS_IMAGE_FAILED, text);
    PictureReason(failure.pictureStatus, failure.refusedSize, reason, sizeof(reason));
    detail = failure.errorText;
  } else if (failure.skinStatus == SkinEmptyShape) {
    LoadText(ProgramModule(), IDS_SKIN_NO_SHAPE, text);
    detail = failure.errorText;
  } else {
    LoadText(ProgramModule(), IDS_WINDOW_FAILED, text);
  }

  char last[128] = "";
  if (defaultSkinUsed) LoadText(ProgramModule(), IDS_DEFAULT_SKIN_USED, last);
  CopyText(out, capacity, text);
  if (reason[0] != '\0') {
    AppendText(out, capacity, "\n");
    AppendText(out, capacity, reason);
  }
  // The last line is kept whole: the detail gets what room is left before it.
  const size_t lastRoom = last[0] != '\0' ? std::strlen(last) + 1 : 0;
  if (detail != nullptr && std::strlen(out) + 1 + lastRoom < capacity) {
    AppendText(out, capacity - lastRoom, "\n");
    AppendText(out, capacity - lastRoom, detail);
  }
  if (last[0] != '\0') {
    AppendText(out, capacity, "\n");
    AppendText(out, capacity, last);
  }
}

void ComposeSkinFitWarning(BackgroundFit fit, int width, int height, SIZE largestWorkArea,
                           const char* resourcePath, char* out, size_t capacity) {
  CopyText(out, capacity, "");
  char format[512];
  if (fit == BackgroundTooSmall) {
    LoadText(ProgramModule(), IDS_SKIN_TOO_SMALL, format);
    FormatText(out, capacity, format, width, height, kMinUsableSide);
  } else if (fit == BackgroundBeyondScreens) {
    LoadText(ProgramModule(), IDS_SKIN_BEYOND_SCREEN, format);
    FormatText(out, capacity, format, width, height, static_cast<int>(largestWorkArea.cx),
               static_cast<int>(largestWorkArea.cy));
  } else {
    return;
  }
  AppendText(out, capacity, "\n");
  AppendText(out, capacity, resourcePath);
}

void ComposeDiscImageFailure(const CueProblem& problem, const char* cuePath, const char* dataPath, char* out,
                             size_t capacity) {
  char format[512];
  LoadText(ProgramModule(), CueProblemMessage(problem.status), format);
  switch (problem.status) {
    case CueStatus::kBadLine:
    case CueStatus::kUnsupported:
      FormatText(out, capacity, format, problem.line);
      return;
    case CueStatus::kDataFileMissing:
    case CueStatus::kDataFileTooShort:
      FormatText(out, capacity, format, dataPath ? dataPath : "");
      return;
    default:
      CopyText(out, capacity, format);
      // The file the user gave: a typo or a moved file shows at once.
      AppendText(out, capacity, "\n");
      AppendText(out, capacity, cuePath);
      return;
  }
}

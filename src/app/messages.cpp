#include "app/messages.h"

#include "app/application.h"
#include "common/fixed_text.h"
#include "resources/resource.h"
#include "skin/skin_model.h"
#include "window/skin_status.h"

void ComposeSkinFailure(int skinStatus, int parseStatus, int lineNumber, const char* resourcePath,
                        const char* errorText, char* out, size_t capacity) {
  char text[512];
  const char* detail = nullptr;  // the line after the message, if any
  if (skinStatus == SkinResourceFailed) {
    detail = resourcePath;
    switch (parseStatus) {
      case ParseOutOfMemory:
        LoadText(appInstance, IDS_NO_MEMORY, text);
        detail = nullptr;
        break;
      case ParseCannotOpen:
        LoadText(appInstance, IDS_RESOURCE_OPEN_FAILED, text);
        break;
      case ParseLineTooLong: {
        char format[512];
        LoadText(appInstance, IDS_RESOURCE_LINE_TOO_LONG, format);
        FormatText(text, sizeof(text), format, lineNumber);
        break;
      }
      default:
        LoadText(appInstance, IDS_RESOURCE_READ_FAILED, text);
        break;
    }
  } else if (skinStatus == SkinImageFailed) {
    LoadText(appInstance, IDS_IMAGE_FAILED, text);
    detail = errorText;
  } else if (skinStatus == SkinEmptyShape) {
    LoadText(appInstance, IDS_SKIN_NO_SHAPE, text);
    detail = errorText;
  } else {
    LoadText(appInstance, IDS_WINDOW_FAILED, text);
  }
  CopyText(out, capacity, text);
  if (detail) {
    AppendText(out, capacity, "\n");
    AppendText(out, capacity, detail);
  }
}

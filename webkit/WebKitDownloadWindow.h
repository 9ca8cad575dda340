#pragma once
// The engine's own download handling: a save-as choice, then a small window
// showing the progress until the file is complete, failed or cancelled.
typedef struct _WebKitDownload WebKitDownload;

namespace platform {

// Takes over a download that has just started; owns itself from then on.
void HandleDownloadWithSaveAs(WebKitDownload* download);

} // namespace platform

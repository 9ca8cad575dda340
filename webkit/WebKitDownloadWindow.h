#pragma once
// The engine's own download handling: a save-as choice, then a progress window
// over the window the download came from, with the file's name, its size, the
// speed and the time left; when done it offers Open and Show in Folder.
typedef struct _WebKitDownload WebKitDownload;

namespace platform {

// Takes over a download that has just started; owns itself from then on.
void HandleDownloadWithSaveAs(WebKitDownload* download);

} // namespace platform

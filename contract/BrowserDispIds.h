#pragma once
// Dispatch identifiers and command numbers of the browser-control contract.
#include "HResult.h"

#include <cstdint>

namespace platform {

// Properties of the control.
inline constexpr DispId DISPID_APPLICATION = 200;
inline constexpr DispId DISPID_DOCUMENT = 203;
inline constexpr DispId DISPID_LOCATIONURL = 211;
inline constexpr DispId DISPID_BUSY = 212;
inline constexpr DispId DISPID_VISIBLE = 402;
inline constexpr DispId DISPID_STATUSBAR = 403;
inline constexpr DispId DISPID_STATUSTEXT = 404;
inline constexpr DispId DISPID_TOOLBAR = 405;
inline constexpr DispId DISPID_MENUBAR = 406;
inline constexpr DispId DISPID_FULLSCREEN = 407;
inline constexpr DispId DISPID_OFFLINE = 550;
inline constexpr DispId DISPID_SILENT = 551;
inline constexpr DispId DISPID_REGISTERASBROWSER = 552;
inline constexpr DispId DISPID_REGISTERASDROPTARGET = 553;
inline constexpr DispId DISPID_THEATERMODE = 554;
inline constexpr DispId DISPID_ADDRESSBAR = 555;
inline constexpr DispId DISPID_RESIZABLE = 556;

// Events of the control's event interface.
inline constexpr DispId DISPID_STATUSTEXTCHANGE = 102;
inline constexpr DispId DISPID_DOWNLOADCOMPLETE = 104;
inline constexpr DispId DISPID_COMMANDSTATECHANGE = 105;
inline constexpr DispId DISPID_DOWNLOADBEGIN = 106;
inline constexpr DispId DISPID_PROGRESSCHANGE = 108;
inline constexpr DispId DISPID_PROPERTYCHANGE = 112;
inline constexpr DispId DISPID_TITLECHANGE = 113;
inline constexpr DispId DISPID_PRINTTEMPLATEINSTANTIATION = 225;
inline constexpr DispId DISPID_PRINTTEMPLATETEARDOWN = 226;
inline constexpr DispId DISPID_UPDATEPAGESTATUS = 227;
inline constexpr DispId DISPID_BEFORENAVIGATE2 = 250;
inline constexpr DispId DISPID_NEWWINDOW2 = 251;
inline constexpr DispId DISPID_NAVIGATECOMPLETE2 = 252;
inline constexpr DispId DISPID_ONQUIT = 253;
inline constexpr DispId DISPID_ONVISIBLE = 254;
inline constexpr DispId DISPID_ONTOOLBAR = 255;
inline constexpr DispId DISPID_ONMENUBAR = 256;
inline constexpr DispId DISPID_ONSTATUSBAR = 257;
inline constexpr DispId DISPID_ONFULLSCREEN = 258;
inline constexpr DispId DISPID_DOCUMENTCOMPLETE = 259;
inline constexpr DispId DISPID_ONTHEATERMODE = 260;
inline constexpr DispId DISPID_WINDOWSETRESIZABLE = 262;
inline constexpr DispId DISPID_WINDOWCLOSING = 263;
inline constexpr DispId DISPID_WINDOWSETLEFT = 264;
inline constexpr DispId DISPID_WINDOWSETTOP = 265;
inline constexpr DispId DISPID_WINDOWSETWIDTH = 266;
inline constexpr DispId DISPID_WINDOWSETHEIGHT = 267;
inline constexpr DispId DISPID_CLIENTTOHOSTWINDOW = 268;
inline constexpr DispId DISPID_SETSECURELOCKICON = 269;
inline constexpr DispId DISPID_FILEDOWNLOAD = 270;
inline constexpr DispId DISPID_NAVIGATEERROR = 271;
inline constexpr DispId DISPID_PRIVACYIMPACTEDSTATECHANGE = 272;

// Command-state numbers of CommandStateChange.
inline constexpr std::int32_t CSC_UPDATECOMMANDS = -1;
inline constexpr std::int32_t CSC_NAVIGATEFORWARD = 1;
inline constexpr std::int32_t CSC_NAVIGATEBACK = 2;

// Secure lock icon states of SetSecureLockIcon.
inline constexpr std::int32_t secureLockIconUnsecure = 0;
inline constexpr std::int32_t secureLockIconMixed = 1;
inline constexpr std::int32_t secureLockIconSecureUnknownBits = 2;

// The ambient property the control reads for its download-control flags.
inline constexpr DispId DISPID_AMBIENT_DLCONTROL = -5512;
inline constexpr DispId DISPID_AMBIENT_USERMODE = -709;

// Commands the control sends to its host's IOleCommandTarget.Exec.
inline constexpr std::uint32_t OLECMDID_ONUNLOAD = 37;       // in CGID_Explorer
inline constexpr std::uint32_t OLECMDID_SHOWSCRIPTERROR = 40; // in CGID_DocHostCommandHandler
inline constexpr std::uint32_t IDM_REFRESH = 2300;
inline constexpr std::uint32_t IDM_REFRESH_TOP = 6041;
inline constexpr std::uint32_t IDM_REFRESH_TOP_FULL = 6042;

} // namespace platform

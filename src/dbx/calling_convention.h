// The calling convention of the host library's functions. The 32-bit Windows
// library uses __stdcall with undecorated names; elsewhere (the Linux build and
// its stand-in library) the platform's default convention is used.
#pragma once

#if defined(_WIN32) && defined(__i386__)
#define DBX_CALL __stdcall
#else
#define DBX_CALL
#endif

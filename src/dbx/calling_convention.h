// The calling convention of the host library's functions. Every 32-bit
// Windows compiler must call them __stdcall (the callee pops its arguments);
// elsewhere (64-bit Windows, the Linux build and its stand-in library) there
// is only the platform's one convention.
#pragma once

#if defined(_WIN32) && !defined(_WIN64)
#define DBX_CALL __stdcall
#else
#define DBX_CALL
#endif

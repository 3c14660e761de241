#pragma once

// Marks the functions that the host library exports and the plug-in imports.
// The host's own build defines ARKAPI_BUILDING_HOST.
#if defined(_WIN32)
#if defined(ARKAPI_BUILDING_HOST)
#define ARKAPI_API __declspec(dllexport)
#else
#define ARKAPI_API __declspec(dllimport)
#endif
#else
#define ARKAPI_API __attribute__((visibility("default")))
#endif

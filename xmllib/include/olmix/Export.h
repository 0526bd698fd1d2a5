#pragma once
// Symbol visibility of the Olmix library. The library is built with hidden
// visibility; only what is marked OLMIX_API is exported.

#define OLMIX_API __attribute__((visibility("default")))

// The XML_ operations are exported under their plain names so that a program
// can bind them by name. Their parameters are C++ types, so callers are C++.
#if defined(__clang__)
#define OLMIX_BEGIN_OPERATIONS       \
    _Pragma("clang diagnostic push") \
        _Pragma("clang diagnostic ignored \"-Wreturn-type-c-linkage\"") extern "C" {
#define OLMIX_END_OPERATIONS \
    }                        \
    _Pragma("clang diagnostic pop")
#else
#define OLMIX_BEGIN_OPERATIONS extern "C" {
#define OLMIX_END_OPERATIONS }
#endif

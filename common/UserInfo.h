#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The sign-in record (called TLoginUserInfo in module libraries). The login
 * plug-in fills it; the shell copies it and passes it to every module as its
 * seven fields. Texts are UTF-8, NULL when empty, owned by the side that
 * wrote them: the receiving side copies what it keeps. */
typedef struct TUserInfo {
    int32_t Number;
    const char *Text1;
    const char *Text2;
    const char *WelcomeTail;
    const char *WelcomeHead;
    const char *Rights;
    int32_t SignedIn; /* Boolean in the low byte */
} TUserInfo;

typedef TUserInfo TLoginUserInfo;

#ifdef __cplusplus
}

static_assert(offsetof(TUserInfo, Number) == 0, "Number comes first");
static_assert(offsetof(TUserInfo, Text1) > offsetof(TUserInfo, Number), "field order");
static_assert(offsetof(TUserInfo, Text2) == offsetof(TUserInfo, Text1) + sizeof(const char *), "field order");
static_assert(offsetof(TUserInfo, WelcomeTail) == offsetof(TUserInfo, Text2) + sizeof(const char *), "field order");
static_assert(offsetof(TUserInfo, WelcomeHead) == offsetof(TUserInfo, WelcomeTail) + sizeof(const char *), "field order");
static_assert(offsetof(TUserInfo, Rights) == offsetof(TUserInfo, WelcomeHead) + sizeof(const char *), "field order");
static_assert(offsetof(TUserInfo, SignedIn) == offsetof(TUserInfo, Rights) + sizeof(const char *), "field order");
static_assert(sizeof(int32_t) == 4, "32-bit words");
#endif

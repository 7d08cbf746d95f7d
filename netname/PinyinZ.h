/* C entry of the pinyin converter, for callers that hold zero-terminated text. */
#ifndef TONGSHU_NETNAME_PINYINZ_H
#define TONGSHU_NETNAME_PINYINZ_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Converts zero-terminated GBK text as ConvertToPinyin does (a null text is
   empty) and returns a newly allocated zero-terminated copy of the result,
   which the caller releases with ReleasePinyinZ. Returns null only when memory
   runs out. Embedded zero bytes of the result (possible with flag 4) end the
   C string early. */
char* ConvertToPinyinZ(const char* text, int32_t flags, int32_t maxLength);

/* Releases a buffer of ConvertToPinyinZ; null is ignored. */
void ReleasePinyinZ(char* buffer);

#ifdef __cplusplus
}
#endif

#endif

/* The iconv interface for the two conversions libmdb makes on Jet 4 files,
 * "UTF-8" <-> "UCS-2LE", with glibc's behaviour: a unit or sequence that does
 * not convert stops the call with EILSEQ, a full output with E2BIG.
 * Part of this project, not of mdbtools. */
#ifndef TONGSHU_MDB_ICONV_H
#define TONGSHU_MDB_ICONV_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mdb_port_iconv *iconv_t;

/* (iconv_t)-1 with errno EINVAL for any other pair. */
iconv_t iconv_open(const char *tocode, const char *fromcode);
size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft);
int iconv_close(iconv_t cd);

#ifdef __cplusplus
}
#endif

#endif

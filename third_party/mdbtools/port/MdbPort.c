/* Port layer for building libmdb where the C library lacks what it needs.
 * Part of this project, not of mdbtools. */
#include "MdbPort.h"

#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "iconv.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

FILE *mdb_port_fmemopen(void *buffer, size_t size, const char *mode) {
  (void)mode;
  wchar_t dir[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, dir);
  if (n == 0 || n > MAX_PATH || !GetTempFileNameW(dir, L"mdb", 0, name)) return NULL;
  /* No sharing: between this copy and libmdb's reads nobody can change it. */
  HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
  if (h == INVALID_HANDLE_VALUE) {
    DeleteFileW(name);
    return NULL;
  }
  const unsigned char *p = (const unsigned char *)buffer;
  size_t left = size;
  while (left > 0) {
    const DWORD chunk = left > (1u << 30) ? (1u << 30) : (DWORD)left;
    DWORD written = 0;
    if (!WriteFile(h, p, chunk, &written, NULL) || written == 0) {
      CloseHandle(h);
      return NULL;
    }
    p += written;
    left -= written;
  }
  LARGE_INTEGER zero = {0};
  if (!SetFilePointerEx(h, zero, NULL, FILE_BEGIN)) {
    CloseHandle(h);
    return NULL;
  }
  const int fd = _open_osfhandle((intptr_t)h, _O_RDWR | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return NULL;
  }
  FILE *f = _fdopen(fd, "r+b");
  if (!f) _close(fd);
  return f;
}
#endif

/* iconv for UTF-8 <-> UCS-2LE. */

struct mdb_port_iconv {
  int toUcs2; /* 1: UTF-8 -> UCS-2LE, 0: UCS-2LE -> UTF-8 */
};

static struct mdb_port_iconv kToUcs2 = {1};
static struct mdb_port_iconv kToUtf8 = {0};

static int is_name(const char *code, const char *want) {
  for (; *code && *want; ++code, ++want) {
    char c = *code;
    if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    if (c != *want) return 0;
  }
  return *code == *want;
}

iconv_t iconv_open(const char *tocode, const char *fromcode) {
  if ((is_name(tocode, "UCS-2LE")) && (is_name(fromcode, "UTF-8") || is_name(fromcode, "UTF8"))) return &kToUcs2;
  if ((is_name(fromcode, "UCS-2LE")) && (is_name(tocode, "UTF-8") || is_name(tocode, "UTF8"))) return &kToUtf8;
  errno = EINVAL;
  return (iconv_t)-1;
}

int iconv_close(iconv_t cd) {
  (void)cd;
  return 0;
}

/* Bytes of the UTF-8 sequence led by b, 0 if b cannot lead one. */
static size_t utf8_length(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

static size_t fail(int err) {
  errno = err;
  return (size_t)-1;
}

static size_t to_ucs2(char **inbuf, size_t *inleft, char **outbuf, size_t *outleft) {
  while (*inleft > 0) {
    const unsigned char *s = (const unsigned char *)*inbuf;
    const size_t n = utf8_length(s[0]);
    if (n == 0) return fail(EILSEQ);
    if (n > *inleft) {
      for (size_t i = 1; i < *inleft; ++i)
        if ((s[i] & 0xC0) != 0x80) return fail(EILSEQ);
      return fail(EINVAL);
    }
    uint32_t cp = n == 1 ? s[0] : n == 2 ? (s[0] & 0x1Fu) : n == 3 ? (s[0] & 0x0Fu) : (s[0] & 0x07u);
    for (size_t i = 1; i < n; ++i) {
      if ((s[i] & 0xC0) != 0x80) return fail(EILSEQ);
      cp = cp << 6 | (s[i] & 0x3Fu);
    }
    /* Overlong forms, surrogates, and what UCS-2 cannot hold (every four-byte form). */
    if (n == 4 || (n == 3 && cp < 0x800) || (cp >= 0xD800 && cp <= 0xDFFF)) return fail(EILSEQ);
    if (*outleft < 2) return fail(E2BIG);
    (*outbuf)[0] = (char)(cp & 0xFF);
    (*outbuf)[1] = (char)(cp >> 8);
    *outbuf += 2;
    *outleft -= 2;
    *inbuf += n;
    *inleft -= n;
  }
  return 0;
}

static size_t to_utf8(char **inbuf, size_t *inleft, char **outbuf, size_t *outleft) {
  while (*inleft > 0) {
    if (*inleft < 2) return fail(EINVAL);
    const unsigned char *s = (const unsigned char *)*inbuf;
    const uint32_t u = (uint32_t)s[0] | (uint32_t)s[1] << 8;
    if (u >= 0xD800 && u <= 0xDFFF) return fail(EILSEQ);
    unsigned char b[3];
    size_t n;
    if (u < 0x80) {
      b[0] = (unsigned char)u;
      n = 1;
    } else if (u < 0x800) {
      b[0] = (unsigned char)(0xC0 | u >> 6);
      b[1] = (unsigned char)(0x80 | (u & 0x3F));
      n = 2;
    } else {
      b[0] = (unsigned char)(0xE0 | u >> 12);
      b[1] = (unsigned char)(0x80 | (u >> 6 & 0x3F));
      b[2] = (unsigned char)(0x80 | (u & 0x3F));
      n = 3;
    }
    if (*outleft < n) return fail(E2BIG);
    memcpy(*outbuf, b, n);
    *outbuf += n;
    *outleft -= n;
    *inbuf += 2;
    *inleft -= 2;
  }
  return 0;
}

size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft) {
  if (cd == (iconv_t)-1 || cd == NULL) return fail(EBADF);
  if (inbuf == NULL || *inbuf == NULL) return 0; /* stateless: nothing to reset or flush */
  return cd->toUcs2 ? to_ucs2(inbuf, inbytesleft, outbuf, outbytesleft)
                    : to_utf8(inbuf, inbytesleft, outbuf, outbytesleft);
}

/* limit MODE TABLE FRAGMENT: the least work any fragment search must do.
 *
 * Reads the dBase table TABLE and counts the live records whose COMPANY or
 * NAME contains FRAGMENT (UTF-8) in any letter case, case pairs taken from
 * Windows-1252 the way the search pattern pairs them (codes 65-90 with
 * 97-122, 192-221 with 224-253). Prints the count. Nothing is decoded and
 * nothing is kept: this is the floor the benchmark compares engines against.
 *
 * MODE "read": the file in 1 MiB blocks with read(2) into one buffer.
 * MODE "mmap": the whole file mapped, with a sequential-access hint.
 *
 * Exit status 2 on a usage error or a file that is not a table of that shape.
 */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

enum { kBlock = 1 << 20, kMaxFragment = 256 };

static unsigned char fold[256];
static unsigned char pattern[kMaxFragment];
static size_t patternLength;

struct Field {
  size_t offset, length;
};

static void die(const char* what) {
  fprintf(stderr, "limit: %s\n", what);
  exit(2);
}

static void buildFold(void) {
  for (int c = 0; c < 256; ++c) {
    int lower = c;
    if ((c >= 65 && c <= 90) || (c >= 192 && c <= 221)) lower = c + 32;
    fold[c] = (unsigned char)lower;
  }
}

/* Windows-1252 byte of a code point, or '?' where the code page lacks it. */
static int toCp1252(uint32_t cp) {
  static const uint16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return (int)cp;
  for (int i = 0; i < 32; ++i)
    if (high[i] != 0 && high[i] == cp) return 0x80 + i;
  return '?';
}

static void setPattern(const char* utf8) {
  const unsigned char* s = (const unsigned char*)utf8;
  while (*s) {
    uint32_t cp;
    int extra;
    if (*s < 0x80) {
      cp = *s, extra = 0;
    } else if ((*s & 0xE0) == 0xC0) {
      cp = *s & 0x1F, extra = 1;
    } else if ((*s & 0xF0) == 0xE0) {
      cp = *s & 0x0F, extra = 2;
    } else {
      cp = *s & 0x07, extra = 3;
    }
    ++s;
    for (; extra > 0 && (*s & 0xC0) == 0x80; --extra) cp = cp << 6 | (*s++ & 0x3F);
    if (patternLength == kMaxFragment) die("fragment too long");
    pattern[patternLength++] = fold[toCp1252(cp)];
  }
  if (patternLength == 0) die("empty fragment");
}

static int contains(const unsigned char* field, size_t length) {
  if (length < patternLength) return 0;
  const size_t last = length - patternLength;
  for (size_t i = 0; i <= last; ++i) {
    if (fold[field[i]] != pattern[0]) continue;
    size_t k = 1;
    while (k < patternLength && fold[field[i + k]] == pattern[k]) ++k;
    if (k == patternLength) return 1;
  }
  return 0;
}

struct Table {
  size_t headerLength, recordLength, records;
  struct Field company, name;
};

static struct Table parseHeader(const unsigned char* h, size_t available) {
  struct Table t;
  memset(&t, 0, sizeof t);
  if (available < 32) die("no table header");
  t.records = (size_t)h[4] | (size_t)h[5] << 8 | (size_t)h[6] << 16 | (size_t)h[7] << 24;
  t.headerLength = (size_t)h[8] | (size_t)h[9] << 8;
  t.recordLength = (size_t)h[10] | (size_t)h[11] << 8;
  size_t offset = 1;
  for (size_t pos = 32; pos + 32 <= available && h[pos] != 0x0D; pos += 32) {
    char name[12] = {0};
    memcpy(name, h + pos, 11);
    const size_t length = h[pos + 16];
    if (strcasecmp(name, "COMPANY") == 0) t.company = (struct Field){offset, length};
    if (strcasecmp(name, "NAME") == 0) t.name = (struct Field){offset, length};
    offset += length;
  }
  if (t.company.length == 0 || t.name.length == 0 || offset != t.recordLength)
    die("no COMPANY and NAME fields, or a damaged header");
  return t;
}

static int matches(const struct Table* t, const unsigned char* record) {
  if (record[0] == '*') return 0;
  return contains(record + t->company.offset, t->company.length) ||
         contains(record + t->name.offset, t->name.length);
}

static size_t countMapped(int fd) {
  struct stat info;
  if (fstat(fd, &info) != 0) die("cannot stat the table");
  const size_t size = (size_t)info.st_size;
  const unsigned char* data = mmap(NULL, size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (data == MAP_FAILED) die("cannot map the table");
  madvise((void*)data, size, MADV_SEQUENTIAL);
  const struct Table t = parseHeader(data, size < 65536 ? size : 65536);
  if (t.headerLength + t.records * t.recordLength > size) die("table shorter than its header says");
  size_t hits = 0;
  const unsigned char* record = data + t.headerLength;
  for (size_t i = 0; i < t.records; ++i, record += t.recordLength)
    hits += (size_t)matches(&t, record);
  return hits;
}

static size_t readFully(int fd, unsigned char* into, size_t wanted) {
  size_t got = 0;
  while (got < wanted) {
    const ssize_t n = read(fd, into + got, wanted - got);
    if (n < 0) die("read failed");
    if (n == 0) break;
    got += (size_t)n;
  }
  return got;
}

static size_t countBlocks(int fd) {
  /* One block plus room for the part of a record that straddles blocks. */
  unsigned char* buffer = malloc(kBlock + 65536);
  if (buffer == NULL) die("out of memory");
  size_t filled = readFully(fd, buffer, kBlock);
  const struct Table t = parseHeader(buffer, filled);
  if (t.headerLength > filled || t.recordLength > 65536) die("header longer than one block");
  size_t hits = 0, left = t.records, start = t.headerLength;
  while (left > 0) {
    size_t whole = (filled - start) / t.recordLength;
    if (whole > left) whole = left;
    for (size_t i = 0; i < whole; ++i)
      hits += (size_t)matches(&t, buffer + start + i * t.recordLength);
    left -= whole;
    start += whole * t.recordLength;
    if (left == 0) break;
    const size_t rest = filled - start;
    memmove(buffer, buffer + start, rest);
    const size_t n = readFully(fd, buffer + rest, kBlock);
    if (n == 0) die("table shorter than its header says");
    filled = rest + n;
    start = 0;
  }
  free(buffer);
  return hits;
}

int main(int argc, char** argv) {
  if (argc != 4 || (strcmp(argv[1], "read") != 0 && strcmp(argv[1], "mmap") != 0))
    die("usage: limit read|mmap TABLE FRAGMENT");
  buildFold();
  setPattern(argv[3]);
  const int fd = open(argv[2], O_RDONLY | O_CLOEXEC);
  if (fd < 0) die("cannot open the table");
  const size_t hits = strcmp(argv[1], "read") == 0 ? countBlocks(fd) : countMapped(fd);
  close(fd);
  printf("%zu\n", hits);
  return 0;
}

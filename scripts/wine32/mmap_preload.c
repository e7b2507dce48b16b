/* A preload for the i386 Wine loader under qemu-i386 (scripts/wine32/setup).
 *
 * At start Wine reserves the address space it keeps for Windows by mapping
 * ever smaller pieces with MAP_FIXED_NOREPLACE until a piece fits. qemu 7.2
 * does not honour that flag and places its guest's libraries around
 * 0x40000000, so the search ends only after some 65,000 mmap calls, about
 * 50 s for every 32-bit process. Such a reservation (no access, no backing
 * store, below 64 MiB) is failed here at once, as the kernel would fail a
 * piece that collides; every other mapping goes to the system unchanged.
 *
 * Built with -nostdlib: the system call is made directly (the old i386
 * mmap, which takes its arguments in a block), and errno is set through
 * the C library's __errno_location, found when the preload is loaded. */

typedef unsigned long size_t;

enum {
  kMapNoReserve = 0x4000,
  kMapFixedNoReplace = 0x100000,
  kErrorExists = 17,       /* EEXIST */
  kSysOldMmap = 90,        /* __NR_mmap on i386 */
  kSmallReservation = 64 << 20,
};

extern int *__errno_location(void);

struct old_mmap_arguments {
  unsigned long address, length, protection, flags, fd, offset;
};

static long old_mmap(struct old_mmap_arguments *arguments) {
  long result;
  __asm__ volatile("int $0x80" : "=a"(result) : "0"(kSysOldMmap), "b"(arguments) : "memory");
  return result;
}

void *mmap64(void *address, size_t length, int protection, int flags, int fd, long long offset) {
  if ((flags & kMapFixedNoReplace) && (flags & kMapNoReserve) && protection == 0 &&
      length < (size_t)kSmallReservation) {
    *__errno_location() = kErrorExists;
    return (void *)-1;
  }
  struct old_mmap_arguments arguments = {(unsigned long)address, length,
                                         (unsigned long)protection, (unsigned long)flags,
                                         (unsigned long)fd, (unsigned long)offset};
  const long result = old_mmap(&arguments);
  if ((unsigned long)result > (unsigned long)-4096) { /* -errno */
    *__errno_location() = (int)-result;
    return (void *)-1;
  }
  return (void *)result;
}

void *mmap(void *address, size_t length, int protection, int flags, int fd, long offset) {
  return mmap64(address, length, protection, flags, fd, offset);
}

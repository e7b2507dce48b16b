/* A preload for the i386 Wine loader under qemu-i386 (scripts/wine32/setup).
 *
 * Why it exists: when a 32-bit process faults, Wine's i386 signal handlers
 * read the trap number from the signal frame (gregs[REG_TRAPNO]) and decide
 * by it what happened: 14 a page fault (guard pages, write watches, a stack
 * that grows, an access violation), 13 a protection fault, 6 an invalid
 * instruction, and so on. The Linux kernel fills that number in; qemu's
 * user-mode emulation leaves it at -1 in every frame it builds (qemu 7.2 and
 * 10 alike). Wine then logs "Got unexpected trap -1", never handles a guard
 * page and reports access violations as invalid instructions: 32-bit COM
 * servers died at their first call and, now and then, a COM thread of a
 * 32-bit client.
 *
 * What it does: it wraps sigaction() for the fault signals. A handler that
 * takes SA_SIGINFO is installed behind a small wrapper, which, when (and
 * only when) the frame's trap number reads -1, puts there what the kernel
 * would have put for that signal and si_code, then calls the handler with
 * the same arguments on the same stack. Under a kernel that fills the
 * number itself nothing changes. Every other signal, and every handler
 * without SA_SIGINFO, goes to the system as it came.
 *
 * Built with -nostdlib (gcc -m32 of the 64-bit compiler is enough): the
 * system call is made directly, with glibc's i386 sigaction layout on the
 * way in and out, and errno is set through the C library's
 * __errno_location, found when the preload is loaded. */

enum {
  kSaSigInfo = 0x00000004,
  kSaRestorer = 0x04000000,
  kSysRtSigaction = 174,
  kErrorInvalid = 22, /* EINVAL */
  kTrapNumberIndex = 12, /* gregs: GS FS ES DS EDI ESI EBP ESP EBX EDX ECX EAX TRAPNO ... */
  kSiKernel = 0x80,
  kSignals = 65,
};

enum { kSigIll = 4, kSigTrap = 5, kSigBus = 7, kSigFpe = 8, kSigSegv = 11 };

extern int *__errno_location(void);

/* The kernel's i386 struct sigaction (rt_sigaction), and glibc's. */
struct kernel_sigaction {
  void *handler;
  unsigned long flags;
  void *restorer;
  unsigned long mask[2];
};
struct glibc_sigaction {
  void *handler;
  unsigned long mask[32];
  int flags;
  void *restorer;
};
struct signal_info {
  int number, error, code;
};

typedef void (*info_handler)(int, void *, void *);
static info_handler wrapped_handlers[kSignals];

/* The return paths the kernel needs with SA_RESTORER, as glibc provides
 * them: rt_sigreturn (173) after an SA_SIGINFO handler, sigreturn (119)
 * after a plain one. */
extern void preload_return_rt(void), preload_return(void);
__asm__(".text\n.hidden preload_return_rt\n.hidden preload_return\n"
        "preload_return_rt:\n\tmovl $173,%eax\n\tint $0x80\n"
        "preload_return:\n\tpopl %eax\n\tmovl $119,%eax\n\tint $0x80\n");

static long system_call4(long number, long a, long b, long c, long d) {
  long result;
  __asm__ volatile("int $0x80"
                   : "=a"(result)
                   : "0"(number), "b"(a), "c"(b), "d"(c), "S"(d)
                   : "memory");
  return result;
}

/* The trap number the kernel gives a fault of `signal` with `code`; -1 for
 * a signal that another process sent (code <= 0), which has none. */
static int trap_number(int signal, int code) {
  if (code <= 0) return -1;
  switch (signal) {
    case kSigSegv: return code == kSiKernel ? 13 : 14;             /* #GP, else #PF */
    case kSigBus: return code == 1 ? 17 : code == kSiKernel ? 11 : 14; /* #AC, #NP, #PF */
    case kSigIll: return 6;                                         /* #UD */
    case kSigFpe: return code == 1 ? 0 : code == 2 ? 4 : 16;        /* #DE, #OF, #MF */
    case kSigTrap: return code == kSiKernel ? 3 : 1;                /* #BP, #DB */
  }
  return -1;
}

static void wrapper(int signal, void *info, void *context) {
  /* ucontext: uc_flags, uc_link, uc_stack (3 words), then the registers. */
  int *registers = (int *)((char *)context + 20);
  if (registers[kTrapNumberIndex] == -1 && info)
    registers[kTrapNumberIndex] = trap_number(signal, ((struct signal_info *)info)->code);
  wrapped_handlers[signal](signal, info, context);
}

static int is_fault_signal(int signal) {
  return signal == kSigIll || signal == kSigTrap || signal == kSigBus || signal == kSigFpe ||
         signal == kSigSegv;
}

int sigaction(int signal, const struct glibc_sigaction *action, struct glibc_sigaction *old) {
  struct kernel_sigaction new_kernel, old_kernel;
  info_handler previous = (signal > 0 && signal < kSignals) ? wrapped_handlers[signal] : 0;
  long result;
  int i;

  if (signal == 32 || signal == 33) { /* glibc's own, as glibc refuses them */
    *__errno_location() = kErrorInvalid;
    return -1;
  }
  if (action) {
    new_kernel.handler = action->handler;
    new_kernel.flags = (unsigned long)action->flags | kSaRestorer;
    new_kernel.restorer =
        (action->flags & kSaSigInfo) ? (void *)preload_return_rt : (void *)preload_return;
    new_kernel.mask[0] = action->mask[0];
    new_kernel.mask[1] = action->mask[1];
    if (is_fault_signal(signal) && (action->flags & kSaSigInfo) &&
        (unsigned long)action->handler > 1 /* neither SIG_DFL nor SIG_IGN */) {
      wrapped_handlers[signal] = (info_handler)action->handler; /* before it can run */
      new_kernel.handler = (void *)wrapper;
    }
  }
  result = system_call4(kSysRtSigaction, signal, action ? (long)&new_kernel : 0,
                        old ? (long)&old_kernel : 0, 8);
  if ((unsigned long)result > (unsigned long)-4096) {
    if (action && new_kernel.handler == (void *)wrapper) wrapped_handlers[signal] = previous;
    *__errno_location() = (int)-result;
    return -1;
  }
  if (old) {
    old->handler = old_kernel.handler == (void *)wrapper ? (void *)previous : old_kernel.handler;
    old->flags = (int)old_kernel.flags;
    old->restorer = old_kernel.restorer;
    for (i = 0; i < 32; i++) old->mask[i] = 0;
    old->mask[0] = old_kernel.mask[0];
    old->mask[1] = old_kernel.mask[1];
  }
  return 0;
}

int __sigaction(int signal, const struct glibc_sigaction *action, struct glibc_sigaction *old) {
  return sigaction(signal, action, old);
}

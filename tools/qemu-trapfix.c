/* Preloaded into i386 Wine running under qemu's user-mode emulator.
 *
 * qemu hands 32-bit signal handlers a context whose trap number is -1. Wine's
 * fault handlers decide by that number, so every page fault or division by
 * zero (its own IsBadReadPtr probes included) became a fatal "unexpected
 * trap". This wraps the handlers of the fault signals and fills in the number
 * the kernel would have given, from the signal and its si_code.
 *
 * Built for i386 without system headers (no 32-bit libc headers here), and
 * for x86_64 as the empty twin that 64-bit processes load through $LIB. */
#if defined(__i386__)

#define SIGILL 4
#define SIGTRAP 5
#define SIGBUS 7
#define SIGFPE 8
#define SIGSEGV 11
#define SA_SIGINFO 4
#define NSIG 65
#define RTLD_NEXT ((void *)-1)
#define SI_KERNEL 0x80
#define FPE_INTDIV 1
#define FPE_INTOVF 2
#define TRAP_BRKPT 1

/* Linux i386 trap numbers. */
enum { T_DIVIDE = 0, T_TRCTRAP = 1, T_BPTFLT = 3, T_OFLOW = 4, T_PRIVINFLT = 6,
       T_PROTFLT = 13, T_PAGEFLT = 14, T_ARITHTRAP = 16, T_ALIGNFLT = 17 };

typedef struct { int si_signo, si_errno, si_code; } siginfo_head;
typedef void (*info_handler)(int, siginfo_head *, void *);

/* glibc's struct sigaction on i386: handler, 128-byte mask, flags, restorer. */
struct sigaction_i386 {
    info_handler handler;
    unsigned long mask[32];
    int flags;
    void (*restorer)(void);
};

/* ucontext_t on i386: flags, link, stack_t (12 bytes), then gregs[]. */
#define UC_GREGS_OFFSET 20
#define REG_TRAPNO 12

void *dlsym(void *handle, const char *name);

static info_handler wrapped[NSIG];

static int trap_for(int sig, int code)
{
    switch (sig) {
    case SIGSEGV: return code == SI_KERNEL ? T_PROTFLT : T_PAGEFLT;
    case SIGBUS: return T_ALIGNFLT;
    case SIGILL: return T_PRIVINFLT;
    case SIGFPE: return code == FPE_INTDIV ? T_DIVIDE : code == FPE_INTOVF ? T_OFLOW : T_ARITHTRAP;
    case SIGTRAP: return code == TRAP_BRKPT ? T_BPTFLT : T_TRCTRAP;
    }
    return -1;
}

static void fixing_handler(int sig, siginfo_head *info, void *context)
{
    int *trapno = (int *)((char *)context + UC_GREGS_OFFSET) + REG_TRAPNO;
    if (*trapno == -1) *trapno = trap_for(sig, info->si_code);
    wrapped[sig](sig, info, context);
}

static int is_fault_signal(int sig)
{
    return sig == SIGSEGV || sig == SIGBUS || sig == SIGILL || sig == SIGFPE || sig == SIGTRAP;
}

int sigaction(int sig, const struct sigaction_i386 *act, struct sigaction_i386 *old)
{
    static int (*real)(int, const struct sigaction_i386 *, struct sigaction_i386 *);
    if (!real) real = (int (*)(int, const struct sigaction_i386 *, struct sigaction_i386 *))dlsym(RTLD_NEXT, "sigaction");
    if (!is_fault_signal(sig)) return real(sig, act, old);

    const info_handler previous = wrapped[sig];
    struct sigaction_i386 mine;
    if (act) {
        mine = *act;
        if (act->flags & SA_SIGINFO) {
            wrapped[sig] = act->handler;
            mine.handler = fixing_handler;
        }
        act = &mine;
    }
    const int result = real(sig, act, old);
    if (result != 0) {
        wrapped[sig] = previous;
        return result;
    }
    if (act && !(act->flags & SA_SIGINFO)) wrapped[sig] = 0;
    /* The caller sees its own handler, never the wrapper. */
    if (old && old->handler == fixing_handler) old->handler = previous;
    return 0;
}

#endif

// A null read and a division by zero, each guarded by a handler on the frame
// chain (fs:0) as 32-bit Windows code guards a region, and the platform's
// pointer probes, writes among them: each gets the Windows answer and the
// program goes on.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct Caught {
    DWORD code;
    ULONG_PTR access;
    ULONG_PTR address;
    int count;
};
Caught g_caught;

// Records the exception and resumes after the faulting instruction, which the
// guards below keep two bytes long.
extern "C" EXCEPTION_DISPOSITION __cdecl RecordAndSkip(EXCEPTION_RECORD* pRecord, void*, CONTEXT* pContext, void*)
{
    g_caught = {pRecord->ExceptionCode, pRecord->ExceptionInformation[0], pRecord->ExceptionInformation[1],
                g_caught.count + 1};
    pContext->Eip += 2;
    return ExceptionContinueExecution;
}

// One asm statement registers the handler, runs the instruction and unlinks
// the handler, so the compiler never sees the stack moved.
#define GUARDED(instruction) \
    "pushl %[handler]\n\tpushl %%fs:0\n\tmovl %%esp, %%fs:0\n\t" instruction "\n\tpopl %%fs:0\n\taddl $4, %%esp"

class ExceptionTest : public ::testing::Test {
protected:
    void SetUp() override { g_caught = {}; }
};

TEST_F(ExceptionTest, NullReadAndIntegerDivisionByZeroReachTheirHandlerAsSuch)
{
    const int* pNull = nullptr;
    int value = 5;
    asm volatile(GUARDED("movl (%[p]), %[v]")
                 : [v] "+d"(value)
                 : [p] "c"(pNull), [handler] "r"(&RecordAndSkip)
                 : "memory");
    EXPECT_EQ(1, g_caught.count);
    EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), g_caught.code);
    // A read, at address zero.
    EXPECT_EQ(0u, g_caught.access);
    EXPECT_EQ(0u, g_caught.address);
    EXPECT_EQ(5, value);

    unsigned quotient = 7;
    asm volatile(GUARDED("divl %[divisor]")
                 : "+a"(quotient)
                 : "d"(0), [divisor] "c"(0), [handler] "r"(&RecordAndSkip)
                 : "memory");
    EXPECT_EQ(2, g_caught.count);
    EXPECT_EQ(static_cast<DWORD>(EXCEPTION_INT_DIVIDE_BY_ZERO), g_caught.code);
    EXPECT_EQ(7u, quotient);
}

TEST_F(ExceptionTest, PointerProbesAnswerAndTheProgramGoesOn)
{
    int local = 0;
    static const char kReadOnly[] = "read-only";
    EXPECT_TRUE(::IsBadReadPtr(nullptr, 4));
    EXPECT_FALSE(::IsBadReadPtr(&local, sizeof local));
    EXPECT_TRUE(::IsBadWritePtr(nullptr, 4));
    EXPECT_TRUE(::IsBadWritePtr(const_cast<char*>(kReadOnly), sizeof kReadOnly));
    EXPECT_FALSE(::IsBadWritePtr(&local, sizeof local));
    EXPECT_TRUE(::IsBadStringPtrA(reinterpret_cast<const char*>(16), 8));
    EXPECT_EQ(0, g_caught.count);
}

}  // namespace

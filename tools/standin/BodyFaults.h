#pragma once

// Faults in the body of an answer, for the programs' downloads: the answer
// starts normally and goes wrong on the way. They shape the path's replacement
// document (set with /__standin/doc), whose bytes are known before it starts:
// - trickle: the whole body with its length, in ten pieces spread over `seconds`;
// - stall: the length of the whole body and its first half, then nothing until
//   a reset or the server's stop, then the connection ends;
// - short: the length of the whole body and its first half, then the connection ends;
// - nolength: no length (chunked), the first half, a pause of `seconds`, then the rest;
// - endless: no length (chunked), the document over and over, as fast as the
//   client takes it, until the client goes, the server stops or 1 GiB has gone.

#include "tools/standin/DocOverrides.h"
#include "tools/standin/Faults.h"

namespace httplib {
struct Response;
}

namespace standin {

class HoldGate;

bool IsBodyFault(FaultMode mode);

// Answers with the document, shaped by the fault; the pauses wait on the gate.
void AnswerWithBodyFault(const Fault& fault, Document document, HoldGate& gate, httplib::Response& response);

}  // namespace standin

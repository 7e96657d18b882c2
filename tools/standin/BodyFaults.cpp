#include "tools/standin/BodyFaults.h"

#include "tools/standin/HoldGate.h"

#include <httplib.h>

#include <algorithm>
#include <memory>

namespace standin {

namespace {

constexpr size_t kTricklePieces = 10;
// An endless body is written in blocks of at least this many bytes, up to a
// bound, so that a client that never stops reading does not keep the server busy.
constexpr size_t kEndlessBlock = 64 * 1024;
constexpr size_t kEndlessBound = size_t(1) << 30;

}  // namespace

bool IsBodyFault(FaultMode mode)
{
    return mode == FaultMode::Trickle || mode == FaultMode::Stall || mode == FaultMode::Short ||
           mode == FaultMode::NoLength || mode == FaultMode::Endless;
}

void AnswerWithBodyFault(const Fault& fault, Document document, HoldGate& gate, httplib::Response& response)
{
    const auto body = std::make_shared<const std::string>(std::move(document.body));
    const size_t half = body->size() / 2;
    const std::chrono::milliseconds pause = std::chrono::seconds(fault.seconds);
    switch (fault.mode)
    {
    case FaultMode::Trickle:
    {
        const size_t piece = std::max<size_t>(1, (body->size() + kTricklePieces - 1) / kTricklePieces);
        response.set_content_provider(
            body->size(), document.contentType,
            [body, piece, pause, &gate](size_t offset, size_t, httplib::DataSink& sink) {
                gate.Hold(pause / kTricklePieces);
                return sink.write(body->data() + offset, std::min(piece, body->size() - offset));
            });
        break;
    }
    case FaultMode::Stall:
    case FaultMode::Short:
    {
        const bool stall = fault.mode == FaultMode::Stall;
        response.set_content_provider(
            body->size(), document.contentType,
            [body, half, stall, &gate](size_t offset, size_t, httplib::DataSink& sink) {
                if (offset < half)
                    return sink.write(body->data(), half);
                if (stall)
                    gate.Hold(kLongestHold);
                // Refusing the rest ends the connection short of the announced length.
                return false;
            });
        break;
    }
    case FaultMode::NoLength:
        response.set_chunked_content_provider(
            document.contentType, [body, half, pause, &gate](size_t offset, httplib::DataSink& sink) {
                // A chunk of no bytes would end the body: only non-empty writes.
                if (offset < half)
                    return sink.write(body->data(), half);
                gate.Hold(pause);
                if (offset < body->size())
                    sink.write(body->data() + offset, body->size() - offset);
                sink.done();
                return true;
            });
        break;
    case FaultMode::Endless:
    {
        auto block = std::make_shared<std::string>();
        while (!body->empty() && block->size() < kEndlessBlock)
            *block += *body;
        response.set_chunked_content_provider(document.contentType,
                                              [block, &gate](size_t offset, httplib::DataSink& sink) {
                                                  // A closed gate answers at once: the server is stopping.
                                                  if (block->empty() || offset >= kEndlessBound ||
                                                      gate.Hold(std::chrono::milliseconds(0)))
                                                  {
                                                      sink.done();
                                                      return true;
                                                  }
                                                  return sink.write(block->data(), block->size());
                                              });
        break;
    }
    default:
        break;
    }
}

}  // namespace standin

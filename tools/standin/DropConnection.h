#pragma once

// Ends a request's connection without a single byte of answer. The HTTP library
// hands a handler no socket and always writes a status line once the handler
// returns, so the socket is found among the process's descriptors by the two
// addresses of the request and shut down in both directions: the client sees
// the connection closed, and the library's own write fails and closes it as usual.

namespace httplib {
struct Request;
}

namespace standin {

// False when no open socket of this process has the request's addresses.
bool DropConnection(const httplib::Request& request);

}  // namespace standin

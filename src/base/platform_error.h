#pragma once
// The errors the platform raises and the user is told about, after which the program goes on:
// a refused settings write, an undecodable picture, a malformed colour number, a window too
// large to draw. Each carries the text the user sees. Anything else thrown is a fault in the
// program itself and is never caught as one of these.

#include <exception>
#include <stdexcept>

namespace fluffo {

class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Steps that must all run even when the platform refuses some (a creation step, a switch that
// must not be left half done, the seven key values): the first refusal is kept and raised once
// the rest have run.
class DeferredErrors {
public:
    template <typename Step>
    void attempt(Step&& step) {
        try {
            step();
        } catch (const PlatformError&) {
            if (!m_first) m_first = std::current_exception();
        }
    }
    void rethrow_first() const {
        if (m_first) std::rethrow_exception(m_first);
    }

private:
    std::exception_ptr m_first;
};

}  // namespace fluffo

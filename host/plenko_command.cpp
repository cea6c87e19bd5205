// `Plenko.command`: the one road from Python into the engine.
#include <new>
#include <string>

#include "host/plenko_args.hpp"
#include "host/plenko_errors.hpp"
#include "host/plenko_object.hpp"
#include "host/plenko_thread.hpp"

namespace plenko::host {
namespace {

bool on_owner_thread(const PyPlenko* p) {
    const std::uint64_t caller = current_thread_id();
    if (caller == p->owner_thread) return true;
    try {
        const std::string message = std::string("assertion `left == right` failed: ") + kInternalTypeName +
                                    " is unsendable, but sent to another thread\n  left: " +
                                    std::to_string(caller) + "\n right: " + std::to_string(p->owner_thread);
        raise_panic(message);
    } catch (const std::bad_alloc&) {
        abort_out_of_memory();
    }
    return false;
}

// Holds the borrow flag at -1 for the lifetime of the guard.
class ExclusiveBorrow {
public:
    explicit ExclusiveBorrow(PyPlenko* p) : flag_(p->borrow) {
        std::intptr_t expected = 0;
        held_ = flag_.compare_exchange_strong(expected, -1, std::memory_order_acquire);
    }
    ~ExclusiveBorrow() {
        if (held_) flag_.store(0, std::memory_order_release);
    }
    ExclusiveBorrow(const ExclusiveBorrow&) = delete;
    ExclusiveBorrow& operator=(const ExclusiveBorrow&) = delete;
    bool held() const { return held_; }

private:
    std::atomic<std::intptr_t>& flag_;
    bool held_ = false;
};

// Runs one command text; nullptr with a Python exception set only if the
// engine broke its promise not to throw.
PyObject* run(EngineState& state, std::string_view cmd) {
    try {
        const std::string response = run_command(state, cmd);
        return PyUnicode_FromStringAndSize(response.data(), static_cast<Py_ssize_t>(response.size()));
    } catch (const std::bad_alloc&) {
        abort_out_of_memory();
    } catch (const std::exception& e) {
        raise_panic(e.what());
    } catch (...) {
        raise_panic("unknown C++ exception while running a command");
    }
    return nullptr;
}

}  // namespace

PyObject* plenko_command(PyObject* self, PyObject* args, PyObject* kwargs) noexcept {
    PyObject* cmd_json = single_argument(args, kwargs, "Plenko.command()", "cmd_json");
    if (cmd_json == nullptr) return nullptr;
    PyPlenko* p = as_plenko(self);
    if (!on_owner_thread(p)) return nullptr;
    ExclusiveBorrow borrow(p);
    if (!borrow.held()) {
        PyErr_SetString(PyExc_RuntimeError, "Already borrowed");
        return nullptr;
    }
    Utf8Arg cmd;
    if (!utf8_argument(cmd_json, "cmd_json", cmd)) return nullptr;
    return run(*p->state, cmd.text);
}

}  // namespace plenko::host

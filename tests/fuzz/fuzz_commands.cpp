// libFuzzer target for the command path: the constructor's specification
// text and the command dispatcher, through the same entry points the module
// uses. Crashes and sanitizer reports fail by themselves; a response that is
// not valid UTF-8 JSON of one of the documented shapes fails here.
//
// The first byte of the input picks the route: even bytes feed the rest to
// `create_engine`, odd bytes run it as a command on a freshly indexed and
// labelled engine, so `match` and `label` reach real state.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "plenko-core/engine.hpp"
#include "plenko-core/json_scanner.hpp"
#include "plenko-core/responses.hpp"
#include "plenko-core/utf8.hpp"

namespace {

void require(bool ok, std::string_view what, std::string_view text) {
    if (ok) return;
    std::fprintf(stderr, "fuzz failure: %.*s\nresponse: %.*s\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(text.size()), text.data());
    std::abort();
}

void check_response(std::string_view r) {
    require(plenko::valid_utf8(r), "response is not UTF-8", r);
    plenko::json::Scanner sc(r);
    require(sc.skip_value() && sc.end_of_text(), "response is not JSON", r);
    const bool shape = r.rfind("{\"error\":", 0) == 0 || r == "{\"ok\":true}" || r.rfind("{\"indexed\":", 0) == 0 ||
                       r == "{\"version\":\"0.2.0\"}" || r.rfind("{\"matches\":[", 0) == 0;
    require(shape, "response has no documented shape", r);
}

// A fresh engine per input, indexed and labelled, so each input starts from
// the same state.
plenko::EngineHandle indexed_engine() {
    static const std::string history = [] {
        std::string h = R"({"cmd":"index","history":[)";
        for (int t = 0; t < 40; ++t) {
            if (t) h += ',';
            h += "[" + std::to_string(t) + ",10," + std::to_string(12 + t % 3) + ",9," + std::to_string(10 + t % 5) +
                 "," + std::to_string(t * 7) + "]";
        }
        return h + "]}";
    }();
    auto e = plenko::create_engine(
        R"({"features":[{"kind":"price","field":"close"},{"kind":"price","field":"volume"}],"window":3,"normalize":"z_score"})");
    if (!e) std::abort();
    plenko::EngineHandle h = std::move(*e);
    plenko::run_command(*h, history);
    plenko::run_command(*h, R"({"cmd":"label","ts":5,"label":"five"})");
    return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 1) == 0) {
        auto engine = plenko::create_engine(text);
        if (engine)
            check_response(plenko::run_command(**engine, R"({"cmd":"version"})"));
        else
            check_response(plenko::error_response(engine.error()));
        return 0;
    }
    plenko::EngineHandle engine = indexed_engine();
    check_response(plenko::run_command(*engine, text));
    return 0;
}

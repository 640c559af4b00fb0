// Any bytes as an expression, in both angle units: the evaluator must end,
// without a fault, with a code from 0 to 3, and a success must be one number.
#include "calculator/expression.h"
#include "core/nombre.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string entree(reinterpret_cast<const char*>(data), size);
    for (std::int16_t enradians = 0; enradians <= 1; ++enradians) {
        std::string t = entree;
        std::int16_t code = -1;
        qm::calculexpression(t, code, enradians);
        if (code < 0 || code > 3)
            std::abort();
        if (code == 0 && t.find(' ') != std::string::npos)
            std::abort();
    }
    std::string t = entree;
    qm::lirenombre(t);
    qm::textenombre(static_cast<double>(qm::lirenombre(t).value_or(0)));
    return 0;
}

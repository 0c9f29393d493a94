#include "python/started_window.h"

#include "window/handlers.h"

namespace orlavex::python {

Calculator started_window() {
    Calculator calc = make_calculator();
    Form_Load(calc);
    return calc;
}

}  // namespace orlavex::python

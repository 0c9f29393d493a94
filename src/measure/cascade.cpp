#include "measure/cascade.h"

namespace orlavex::measure {

double cascade(double f_first, double f_second, double g_first) {
    return f_first + (f_second - 1) / g_first;
}

double remove_second_stage(double f_cascade, double f_second, double g_first) {
    return f_cascade - (f_second - 1) / g_first;
}

}  // namespace orlavex::measure

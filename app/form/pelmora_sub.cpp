#include "form/pelmora_sub.h"

namespace pelmora::PelmoraSUB {

double cal_erlang(double calls, double minutes, double hours) {
    const double call_minutes = calls * minutes;
    const double period_minutes = hours * 60;
    return call_minutes / period_minutes;
}

}  // namespace pelmora::PelmoraSUB

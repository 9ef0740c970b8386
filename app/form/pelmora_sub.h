#ifndef PELMORA_PELMORA_SUB_H
#define PELMORA_PELMORA_SUB_H

// The program's code module.
namespace pelmora::PelmoraSUB {

// The offered traffic in erlangs of `calls` calls of `minutes` minutes each within `hours` hours of
// operation: (calls * minutes) / (hours * 60), in this order of operations. The result follows
// IEEE arithmetic: an overflow gives an infinity, hours of 0 a division by zero; the caller
// decides what such a result means.
double cal_erlang(double calls, double minutes, double hours);

}  // namespace pelmora::PelmoraSUB

#endif

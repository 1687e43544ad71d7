#pragma once
// Cores of the option panels: how a tick panel flips, and the exchange of the distance test's
// nominal values with those relative to the meter constant k.
#include <cstdint>

#include "evaluation/evaluation_state.h"
#include "platform/gui/colors.h"

class TPanel;

namespace shell {

// The tick panel white or black, its caption in the other colour.
void PaintTick(TPanel &panel, TColor color);
// WhiteFirst: the panel becomes white unless it is white, then black. BlackFirst: the other way.
enum class TickRule { WhiteFirst, BlackFirst };
void FlipTick(TPanel &panel, TickRule rule);

// Flag 0: the distance test's nominal values are kept aside and those relative to k shown in
// their place; flag 1: the kept values come back. Every slot, measuring rows only.
void ExchangeRelativeToK(evaluation::EvaluationState &stores, uint8_t flag);

}  // namespace shell

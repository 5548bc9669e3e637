#pragma once

#include "app/core/formats/fractint_collection.h"
#include "app/core/record/panel_fields.h"

#include <cstdint>

namespace app {

// The largest figure an imported system is drawn as: its order keeps within both.
inline constexpr std::uint64_t MaxImportedSegments = 1000000;
inline constexpr std::uint64_t MaxImportedSymbols = 16000000; // a walk's time, drawn or not

// The order (number of substitutions) an imported system is drawn at, which its file does not
// give: the largest from 0 to MaxSubstitutions whose word draws at most MaxImportedSegments
// steps (its F and D) and holds at most MaxImportedSymbols symbols, both counted from the rules
// without rewriting the word; 0 where none does.
std::int32_t ImportedOrder(const FractintSystem& system);

// The steps (F and D) the system's word holds after `order` substitutions, counted from the rules
// without rewriting the word.
std::uint64_t ImportedSegments(const FractintSystem& system, std::int32_t order);

// The fields that draw the system with Fractint's turtle: its axiom; its F and G rules in their
// fields (each its own symbol where it has none) and its other rules as more rules, in order;
// the angle 360/n as the shortest text that reads back as it; length 1 at every order, the
// order ImportedOrder chooses, no random amplitude and no seed. The window stays the start-up
// one, for the caller to fit (FittedFields). The preset is Koch Island, which neither turns the
// figure nor gives it a wide pen; Fractint's turtle takes neither from a preset, nor its colour.
PanelFields FractintFields(const FractintSystem& system);

} // namespace app

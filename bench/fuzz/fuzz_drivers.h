#pragma once

#include <string_view>

// The fuzz drivers: each takes one input, runs it through the model and ends the process
// (__builtin_trap) when a property breaks; a sanitizer report ends it as well. The model's
// own errors are expected and caught; any exception that escapes is a fault.
void FuzzSetUp(); // message boxes answered at once, the shipped UK price table for auctions
void FuzzTokeniser(std::string_view sInput);
void FuzzPrices(std::string_view sInput);
void FuzzAuction(std::string_view sInput);
// Break-even and target prices, cheaper-band hints, the profit curve and the money
// breakdown of a fuzzed auction.
void FuzzInsight(std::string_view sInput);

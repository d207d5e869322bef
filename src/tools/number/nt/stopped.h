// Interrupted work: thrown from deep inside the number theory when a stop
// was requested, caught by the entries that return nullopt for it.
#pragma once

namespace kz::nt {

struct Stopped {};

}  // namespace kz::nt

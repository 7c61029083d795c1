// What changed from one published state of the window model to the next, so that a page
// holding the last state needs only the changes: while the study saver's logo drifts,
// one number a tick instead of every window.
#pragma once

#include <nlohmann/json.hpp>

namespace pv {

// The changes that turn `from` into `to`: a list of [path, value] pairs, each path a list
// of object keys and array positions, each value what `to` holds there. Objects with the
// same keys and arrays of the same length are compared member by member; anything else
// that differs is replaced whole (the whole state has the path []). Empty when equal.
// A list of objects each named by a unique "name" (the windows) that gained, lost or
// reordered items is the change [path, items, "names"]: the new list, each item the name
// of an item kept from the old list or a new item whole; changes to the kept items follow.
// A long text that keeps some of its start or end is the change [path, [at, cut, text],
// "splice"]: the `cut` characters from `at` (UTF-16 units, as the page counts) replaced by
// `text`.
nlohmann::json state_patch(const nlohmann::json& from, const nlohmann::json& to);

}  // namespace pv

#pragma once

// Registers the compiled-in icons (":/icon/Resources/..."). The resources live in
// a static library, so they are registered explicitly; safe to call repeatedly.
void ensureMapvaneResources();

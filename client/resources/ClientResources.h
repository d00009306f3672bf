#pragma once

// Registers the client's compiled-in resources (":/resources/...", ":/MainWindow/...").
// Idempotent and cheap; call it before the first resource path is used.
void initClientResources();

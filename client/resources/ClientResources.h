#pragma once

// Registers the client's compiled-in resources (":/resources/...", ":/resources/flags/...",
// ":/MainWindow/...").
// Idempotent and cheap; call it before the first resource path is used.
void initClientResources();

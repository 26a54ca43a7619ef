#pragma once

#include "common/block_store.h"
#include "model/angebot.h"

// The records of a list in blocks of 1024.
using CRecordStore = CBlockStore<CAngebot, 10>;

#pragma once
// The Desktop key of the store and the document records it holds.

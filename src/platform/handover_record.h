#pragma once
// The record a later start sends to the running instance (no Qt: the fuzzer reads it too).

#pragma once
// The process-wide registry as a host has it after start-up: every serializer and name of the
// library registered with ParametersRegistry::Get(), once, on first use. For tools, tests and
// benchmarks that stand in for a host; the first call must come before other threads use
// the registry.

#pragma GCC visibility push(default)

class ParametersRegistry;

const ParametersRegistry& HostRegistry();

#pragma GCC visibility pop

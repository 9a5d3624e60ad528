#pragma once

namespace miravane {

// Without a session bus, the toolkit's D-Bus users (the accessibility bridge above all) would
// have libdbus "autolaunch" one: start a bus daemon of its own that outlives the program and
// write its address under the home folder. The program starts nothing and writes nothing, so
// where no session bus is given it names one that cannot be parsed, and every connection
// attempt fails at once. A session bus that exists is used as it is.
// Call first thing, before any thread is started: it changes the environment.
void keepSessionBusFromAutolaunching();

}  // namespace miravane

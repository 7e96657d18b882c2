// Resource ids of stel7agent.exe. Plain #defines only: read by the C++
// sources and by stel7agent.rc.
#ifndef STEL7_RES_AGENT_RESOURCE_H
#define STEL7_RES_AGENT_RESOURCE_H

// Program icon, the main program's.
#define IDI_AGENT                   128

// The hidden window that waits for the server.
#define IDD_AGENT                   102

#endif

#include "MibWalkLibrary.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <mutex>

void MibWalkInitLibrary()
{
    // The library's start-up fills process-wide tables that every session
    // reads afterwards; sessions are only opened once it has finished.
    static std::once_flag once;
    std::call_once(once, [] {
        netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "includeRequested", NETSNMP_DS_APPLICATION_ID,
                                   kMibWalkIncludeRequestedFlag);
        netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "printStatistics", NETSNMP_DS_APPLICATION_ID,
                                   kMibWalkPrintStatisticsFlag);
        netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "dontCheckOrdering", NETSNMP_DS_APPLICATION_ID,
                                   kMibWalkDontCheckOrderingFlag);
        netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "oneVariablePerRequest",
                                   NETSNMP_DS_APPLICATION_ID, kMibWalkOneVariablePerRequestFlag);
        init_snmp("snmpwalk");
    });
}

// A project whose form holds a remote alarm client, run headless by the host program against the
// real server program: the form's event script connects, subscribes, acknowledges and sees every
// record, the state change and the server's shutdown.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "comm_e2e/child_process.h"
#include "comm_e2e/server_process.h"

namespace {

constexpr const char* kProject = R"(<?xml version="1.0" encoding="UTF-8"?>
<ROOT>
<FORMROOT clid="Client" Name="AlarmProject" DefaultForm="Alarms" PSNode="127.0.0.1" PSPanelPort="6001" PSTimeOut="5">
<OBJ clid="Folder" Name="Screens">
<OBJ clid="Form" Name="Alarms" Width="400" Height="300">
<OBJ clid="RemoteAlarmClient" Name="Alarm1" Left="0" Top="0" Width="40" Height="40" AlarmStateMonitor="Open=notack" Event="event OnInitialize()
{
    ::Trace(&quot;connect &quot; &amp; ::CStr(Connect()));
    ::Trace(&quot;subscribe &quot; &amp; ::CStr(SubscribeRealtime(&quot;&quot;, 0)));
    ::Trace(&quot;fire &quot; &amp; ::CStr(FireAlarm(&quot;Pump.Trip&quot;, c(&quot;hot&quot;, &quot;stop&quot;))));
}

event OnAlarmNotificationStart()
{
    ::Trace(&quot;start&quot;);
}

event OnAlarmNotification(type, date, alarmId, bRecovered, bAcked, comments, bBrandNew)
{
    ::Trace(&quot;alarm &quot; &amp; type &amp; &quot; &quot; &amp; alarmId &amp; &quot; &quot; &amp; ::CStr(bAcked) &amp; &quot; &quot; &amp; comments[1]);
    if (type == &quot;new&quot;) {
        ::Trace(&quot;ack &quot; &amp; ::CStr(Ack(alarmId)));
    }
}

event OnAlarmNotificationDone(bComplete, showRecordCnt, searchRecordCnt, actualShowRecordCnt, actualSearchRecordCnt, lastRecordDate)
{
    ::Trace(&quot;done &quot; &amp; ::CStr(showRecordCnt));
}

event OnAlarmStateChanged(stateName, bState)
{
    ::Trace(&quot;state &quot; &amp; stateName &amp; &quot; &quot; &amp; ::CStr(bState));
}

event OnAlarmServerShutdown()
{
    ::Trace(&quot;shutdown &quot; &amp; ::CStr(AckAll()) &amp; &quot; &quot; &amp; GetLastError());
}">
</OBJ>
</OBJ>
</OBJ>
</FORMROOT>
</ROOT>
)";

constexpr int64_t kWaitMs = 20000;

TEST(AlarmHeadless, FormScriptSeesRecordsAcknowledgementsAndShutdown) {
  const std::filesystem::path project = std::filesystem::temp_directory_path() / "alarm_headless_test.xml";
  std::ofstream(project) << kProject;
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  ChildProcess app;
  ASSERT_TRUE(app.Start({VELTRIX_BROWSER_APP, "--headless", project.string(), "--seconds", "60", "--port",
                         std::to_string(server.Port())}));
  std::vector<std::string> seen;
  for (const char* line : {"^connect T$", "^subscribe T$", "^fire T$", "^start$", "^done 0$",
                           "^alarm new Pump.Trip F stop$", "^ack T$", "^state Open T$",
                           "^alarm ack Pump.Trip T stop$", "^state Open F$"})
    ASSERT_FALSE(app.WaitForLine(line, seen, kWaitMs).empty()) << line << "\n" << ChildProcess::Joined(seen);
  server.Stop();
  ASSERT_FALSE(app.WaitForLine("^shutdown F Not connected.$", seen, kWaitMs).empty()) << ChildProcess::Joined(seen);
  EXPECT_EQ(app.Stop(), 0);
  std::filesystem::remove(project);
}

}  // namespace

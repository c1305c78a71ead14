#include "comm/connection_settings.h"

#include <gtest/gtest.h>

namespace {

CNServerSettings TwoNodes() {
  CNServerSettings s;
  s.nodes = {{u"10.0.0.1", 6001}, {u"10.0.0.2", 6002}};
  s.timeOutConnect = -1;
  s.timeOutSeconds = 7;
  s.httpServers = {u"http://gw1/hgateway", u"http://gw2/hgateway"};
  s.httpUser = u"op";
  s.httpPassword = u"a,b";
  return s;
}

}  // namespace

TEST(ConnectionSettings, ConnectionTextsOfTheCurrentEntries) {
  CNServerSettings s = TwoNodes();
  s.ping = true;
  CNConnectionSettings tcp(s);
  EXPECT_EQ(tcp.GetConnectionString(), u"10.0.0.1,6001,-1,7,3,Y");
  EXPECT_EQ(tcp.CreateClient()->GetTransportKind(), CNDAClient::kTransportTcp);

  s.ping = false;
  s.communicationType = CNServerSettings::kHttp;
  s.httpRedundancy = true;
  CNConnectionSettings http(s, false, u"pass");
  EXPECT_EQ(http.CreateClient()->GetTransportKind(), CNDAClient::kTransportHttp);
  EXPECT_EQ(http.GetConnectionString(), u"pass,http://gw1/hgateway,op,a,b,10.0.0.1,6001,-1,7,3,N");
  http.AdvanceNode();
  EXPECT_EQ(http.GetConnectionString(), u"pass,http://gw2/hgateway,op,a,b,10.0.0.1,6001,-1,7,3,N");
  EXPECT_EQ(http.GetHttpServerNumber(), 2u);
  EXPECT_EQ(http.GetNodeNumber(), 1u);  // the TCP node stays where it is
}

TEST(ConnectionSettings, AdvanceFollowsRedundancyAndSkipsUnusableEntries) {
  // Without redundancy nothing moves, as the login stub's runs show.
  CNServerSettings s = TwoNodes();
  s.nodeRedundancy = true;
  CNConnectionSettings redundant(s);
  redundant.AdvanceNode();
  EXPECT_EQ(redundant.GetNodeNumber(), 2u);
  EXPECT_EQ(redundant.GetConnectionString(), u"10.0.0.2,6002,-1,7,3,N");
  redundant.AdvanceNode();
  EXPECT_EQ(redundant.GetNodeNumber(), 1u);  // wraps

  s.nodes = {{u"10.0.0.1", 6001}, {u"", 0}, {u"10.0.0.3", 6003}};
  CNConnectionSettings gap(s);
  gap.AdvanceNode();
  EXPECT_EQ(gap.GetNodeNumber(), 3u);  // port 0 is skipped

  s.nodes = {{u"10.0.0.1", 6001}, {u"", 0}};
  CNConnectionSettings single(s);
  single.AdvanceNode();
  EXPECT_EQ(single.GetNodeNumber(), 1u);  // no other usable node: stays

  s.communicationType = CNServerSettings::kHttp;
  s.httpRedundancy = true;
  s.httpServers = {u"http://gw1/hgateway", u""};
  CNConnectionSettings oneGateway(s);
  oneGateway.AdvanceNode();
  EXPECT_EQ(oneGateway.GetHttpServerNumber(), 1u);  // an unnamed gateway is not taken
}

TEST(ConnectionSettings, EmptyListsReportEntryOne) {
  CNServerSettings s;
  s.nodes.clear();
  s.httpServers.clear();
  s.nodeRedundancy = true;
  CNConnectionSettings none(s);
  none.AdvanceNode();
  EXPECT_EQ(none.GetNodeNumber(), 1u);
  EXPECT_EQ(none.GetHttpServerNumber(), 1u);
  EXPECT_EQ(none.GetConnectionString(), u",0,0,0,3,N");
}

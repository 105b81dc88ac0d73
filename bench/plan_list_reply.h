#pragma once

#include <string>

// An own-plan list reply as the service writes it (in UTF-8 here): a summary, then `plans` plan
// records. Mostly ASCII, with the Chinese names of lottery, play and kind in every record.
inline std::string planListReply(int plans) {
    std::string reply = "1|" + std::to_string(plans) + "|" + std::to_string(plans) +
                        "|2013-05-01 10:00:00|IM=0|TNM=1,200.00|TM=123,456.00|TB=98,765.50|"
                        "TP=-24,690.50|PP=-2.47|RBP=-20.00|TN=10000|TNN=12|TSN=4000|TLN=5900|"
                        "TCN=88|RBS=40.00|CH=12|CUH=30|CHN=2|CHNS=1|LMT=2013-05-01 10:00:00#";
    for (int i = 0; i < plans; ++i) {
        reply += "PID=" + std::to_string(100000 + i) +
                 "|UN=alice|LTN=重庆时时彩|LTP=三星|LTT=单选|POS=123,345|HP=345|CP=2.000|"
                 "BON=1,960.000|BM=1,024.00|BB=1,960.00|PFT=936.00|I1=130501010|I2=130501012|"
                 "INS=3|NI=130501011|NIN=2|BN=12|PS=1|MTP=1,2,4|BT=2013-05-01 10:00:00|"
                 "LMT=2013-05-01 10:20:00|LC=12345|TXT=012 123 234 345 456 567 678 789 890 901 "
                 "111 222 |$";
    }
    return reply;
}

#include "SingleVideoInput.h"

namespace {

// ffmpeg's names for them ("ffmpeg -demuxers"); a reader matches by any of the names it lists,
// so "mov" stands for "mov,mp4,m4a,3gp,3g2,mj2" and "matroska" for "matroska,webm". Left out on
// purpose: hls, dash, concat, imf, mlv and the manifests, which open other files; image2 and
// the single-picture readers; the devices, lavfi and the network streams (rtp, rtsp, sdp, sap).
constexpr const char* containerReaders =
    "mov,matroska,avi,mpeg,mpegts,mpegvideo,mxf,flv,live_flv,asf,ogg,nut,nuv,rm,dv,wtv,gxf,lxf,ivf,"
    "yuv4mpegpipe,m4v,h261,h263,h264,hevc,vc1,cavsvideo,dirac,dnxhd,av1,obu,mjpeg,mpjpeg,smjpeg,"
    "swf,gif,apng,nsv,pva,ty,vivo,thp,smk,bink,flic,roq,4xm,mtv,film_cpk,ipmovie,wsvqa,psxstr,r3d,"
    "cdxl,dhav,ifv,kux,mxg,vividas,tmv,xmv,bethsoftvid,idcin,vmd";

} // namespace

QStringList singleVideoInputOptions()
{
    return {QStringLiteral("-protocol_whitelist"), QStringLiteral("file"), QStringLiteral("-format_whitelist"),
            QString::fromLatin1(containerReaders)};
}

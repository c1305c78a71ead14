import os,sys,re
def count(dirs):
    n=0
    for d in dirs:
        for dp,dn,fn in os.walk(d):
            if '/build' in dp: continue
            for f in fn:
                if not f.endswith(('.cpp','.h','.c')): continue
                inblock=False
                for line in open(os.path.join(dp,f),errors='replace'):
                    s=line.strip()
                    if inblock:
                        if '*/' in s: inblock=False
                        continue
                    if not s or s.startswith('//'): continue
                    if s.startswith('/*'):
                        if '*/' not in s: inblock=True
                        continue
                    n+=1
    return n
root=sys.argv[1] if len(sys.argv)>1 else '.'
os.chdir(root)
for name,dirs in [('src',['src']),('src+apps+tools',['src','apps','tools']),('src+apps+tools+bench+fuzz+examples',['src','apps','tools','bench','fuzz','examples']),('tests',['tests'])]:
    print(name,count(dirs))

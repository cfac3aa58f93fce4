%ANCHORFIELD  Three-level map of how steady and how alike three planes are.
%   A = ANCHORFIELD(PLANE0, PLANE1, PLANE2, M, N, W, THRESHOLD) looks at the
%   11-by-11 window centred on every pixel at least 5 rows and 5 columns from
%   each edge and labels that pixel:
%      1    where PLANE2 varies little in the window (its deviation is above 0
%           and below 2);
%     -1    where PLANE2 varies more and either the three planes are not alike
%           enough (score below THRESHOLD) or PLANE2's histogram lies farther
%           than 0.15 from the normal density fitted to the window;
%     0.5   everywhere else, including the 5-pixel border and windows in which
%           PLANE2 is constant.
%
%   Inputs
%     PLANE0,
%     PLANE1,
%     PLANE2     three M-by-N image planes, grey levels: every pixel must lie
%                above -1 and below 256.
%     M, N       rows and columns of the planes and of A, real numbers
%                truncated toward zero (11.7 counts as 11).
%     W          the weights, a real double array; only W(1:3) are read.
%     THRESHOLD  the lowest score that counts as alike, a real number.
%
%   Output
%     A   M-by-N double, every element exactly -1, 0.5 or 1. When M or N is
%         at most 10 no window fits and A is all 0.5; a negative or NaN M or
%         N gives an empty A (0 rows or 0 columns).
%
%   Details
%     Bin b of a window's 256-bin histogram counts the pixels whose value
%     truncates to b (-0.5 counts in bin 0, 255.9 in bin 255). The three
%     planes' histograms are compared pairwise by cosine similarity, giving
%     T0 (planes 0 and 1), T1 (0 and 2) and T2 (1 and 2), and weighed into
%     the score ((0 + W(1)*T0) + W(2)*T1) + W(3)*T2. The mean and the sample
%     deviation (over 120) of PLANE2's window use the values themselves,
%     fractions included; the fitted density uses 6.28318 for 2*pi. A score
%     equal to THRESHOLD is alike enough; a NaN THRESHOLD or weight is never
%     alike enough. A deviation of exactly 2 does not give 1. Results are
%     exact to the last bit for the order of operations described here.
%
%   Errors (identifier: cause)
%     "func: anchorfield() requires 7 input arguments."  wrong input count
%     "func: anchorfield() requires 1 output argument."   output count not 1
%                                                         (call it with an output)
%     planestat:anchorfield:notRealDouble  a plane or W is not a real, full
%                                          double array
%     planestat:anchorfield:notRealScalar  M, N or THRESHOLD is not one real
%                                          number
%     planestat:anchorfield:tooFewValues   when M and N exceed 10 (some window
%                                          fits): a plane holds fewer than M*N
%                                          values or W fewer than 3
%     planestat:anchorfield:badPixel       a pixel has no bin (NaN, Inf, <= -1
%                                          or >= 256); the message names the
%                                          plane, its row and column, and the
%                                          value
%
%   Example
%     P = 100 * ones (11);  P(4,8) = 101;
%     A = anchorfield (P, P, P, 11, 11, [1 1 1], 0.5);
%     A(6,6)   % 1: the centre window varies little
%
%   See also VIGORFIELD, VIGORSHEET, MOODCULL, STILLCULL.

% Help text only: the function itself is the compiled MEX file of the same name.

%!function P = one_window (values)
%! # 11-by-11 plane whose (whole) window holds VALUES row by row.
%! P = reshape (values, 11, 11)';
%!endfunction

%!function [score, dev, dist] = window_stats (P0, P1, P2, w)
%! # One 11-by-11 window, recomputed in the defined order: rows outer.
%! planes = {P0, P1, P2};
%! h = zeros (3, 256);
%! for r = 1:11
%!   for c = 1:11
%!     for p = 1:3
%!       h(p, fix (planes{p}(r,c)) + 1) += 1;
%!     end
%!   end
%! end
%! fit = h(3,:) * 0.008264462809917356;
%! for p = 1:3
%!   s = 0;
%!   for k = 1:256
%!     s = s + h(p,k) * h(p,k);
%!   end
%!   h(p,:) = h(p,:) / sqrt (s);
%! end
%! t = zeros (1, 3);
%! for k = 1:256
%!   t(1) = t(1) + h(1,k) * h(2,k);
%!   t(2) = t(2) + h(1,k) * h(3,k);
%!   t(3) = t(3) + h(2,k) * h(3,k);
%! end
%! score = ((0 + w(1) * t(1)) + w(2) * t(2)) + w(3) * t(3);
%! s = 0;
%! for r = 1:11
%!   for c = 1:11
%!     s = s + P2(r,c);
%!   end
%! end
%! m = s * 0.008264462809917356;
%! q = 0;
%! for r = 1:11
%!   for c = 1:11
%!     q = q + (P2(r,c) - m) * (P2(r,c) - m);
%!   end
%! end
%! dev = sqrt (q * 0.008333333333333333);
%! e = 0;
%! for k = 0:255
%!   d = k - m;
%!   pk = exp (-((d * d) / (dev * dev + dev * dev))) * (1 / (sqrt (6.28318) * dev));
%!   e = e + (pk - fit(k+1)) * (pk - fit(k+1));
%! end
%! dist = sqrt (e);
%!endfunction

%!shared rare, two, bell, wide, centre
%! rare = one_window ([100 * ones(1, 120), 101]);                # deviation about 0.09
%! two = one_window (repelem ([98 102 100], [60 60 1]));         # deviation exactly 2
%! bell = one_window (repelem (94:106, [1 2 4 9 15 19 21 19 15 9 4 2 1]));  # near normal
%! wide = one_window (repelem ([0 200], [60 61]));               # far from normal
%! centre = @(A) A(6,6);

%!test  # no window fits: all 0.5, and the planes and weights are not read
%! assert (anchorfield ([], [], [], 10.9, 11, [], 0), 0.5 * ones (10, 11));
%! assert (anchorfield ([], [], [], 3.7, 2.2, [], 0), 0.5 * ones (3, 2));
%! assert (size (anchorfield ([], [], [], -2, 5, [], 0)), [0 5]);
%! assert (size (anchorfield ([], [], [], NaN, NaN, [], 0)), [0 0]);

%!test  # the smallest map: only the centre can change
%! A = anchorfield (rare, rare, rare, 11, 11, [1 1 1], Inf);
%! expected = 0.5 * ones (11);
%! expected(6,6) = 1;
%! assert (A, expected);

%!test  # each rule on a crafted window; the first rule that applies wins
%! w = [1 1 1];
%! assert (centre (anchorfield (bell, wide, rare, 11, 11, w, -Inf)), 1);
%! flat = 100 * ones (11);
%! assert (centre (anchorfield (flat, flat, flat, 11, 11, w, Inf)), 0.5);
%! assert (centre (anchorfield (two, two, two, 11, 11, w, -Inf)), -1);  # deviation 2 is not below 2
%! assert (centre (anchorfield (bell, bell, bell, 11, 11, w, -Inf)), 0.5);
%! assert (centre (anchorfield (bell, bell, bell, 11, 11, w, Inf)), -1);
%! assert (centre (anchorfield (wide, wide, wide, 11, 11, w, -Inf)), -1);
%! assert (centre (anchorfield (bell, bell, bell, 11, 11, w, NaN)), -1);
%! assert (centre (anchorfield (bell, bell, bell, 11, 11, [1 NaN 1], -Inf)), -1);
%! assert (centre (anchorfield (rare, rare, rare, 11, 11, w, NaN)), 1);

%!test  # the statistics, recomputed here; a score equal to the threshold is alike enough
%! P0 = mod (bell * 1.37, 255);
%! P1 = 255 - bell;
%! w = [0.3 0.7 0.1];
%! [score, dev, dist] = window_stats (P0, P1, bell, w);
%! assert (dev > 2 && dist < 0.15);
%! [~, d2] = window_stats (two, two, two, w);
%! assert (d2, 2);
%! assert (centre (anchorfield (P0, P1, bell, 11, 11, w, score)), 0.5);
%! assert (centre (anchorfield (P0, P1, bell, 11, 11, w, score + eps (score))), -1);
%! assert (centre (anchorfield (P0, P1, bell, 11, 11, [w 99], score)), 0.5);

%!test  # the 5-pixel border stays 0.5; sizes truncate
%! rand ("seed", 3);
%! P = floor (rand (30, 27, 3) * 256);
%! A = anchorfield (P(:,:,1), P(:,:,2), P(:,:,3), 30.9, 27.2, [1 1 1], 1.5);
%! assert (size (A), [30 27]);
%! border = true (30, 27);
%! border(6:25, 6:22) = false;
%! assert (all (A(border) == 0.5));
%! assert (all (ismember (A(:), [-1 0.5 1])));

%!test  # a 512-by-512 three-plane call
%! rand ("seed", 1);
%! P = floor (rand (512, 512, 3) * 256);
%! P(100:200, 100:200, 3) = 100 + (rand (101) < 0.05);
%! A = anchorfield (P(:,:,1), P(:,:,2), P(:,:,3), 512, 512, [1 1 1], 1.5);
%! assert (size (A), [512 512]);
%! assert (all (ismember (A(:), [-1 0.5 1])));
%! assert (any (A(:) == 1) && any (A(:) == -1));

%!error <func: anchorfield\(\) requires 7 input arguments\.> anchorfield (1, 2, 3)
%!error <func: anchorfield\(\) requires 7 input arguments\.> x = anchorfield (1, 2, 3, 4, 5, 6, 7, 8);
%!error <func: anchorfield\(\) requires 1 output argument\.> anchorfield (1, 1, 1, 1, 1, 1, 1)
%!error <func: anchorfield\(\) requires 1 output argument\.> [a, b] = anchorfield (1, 1, 1, 1, 1, 1, 1);
%!error id=planestat:anchorfield:notRealDouble x = anchorfield (single (1), 1, 1, 1, 1, 1, 1);
%!error id=planestat:anchorfield:notRealDouble x = anchorfield (1, 1, 1, 1, 1, int8 ([1 1 1]), 1);
%!error id=planestat:anchorfield:notRealScalar x = anchorfield (1, 1, 1, [11 11], 11, 1, 1);
%!error <input 2 \(plane 1\) holds 120 values, fewer than the 121 that a map of 11 rows and 11 columns needs> x = anchorfield (ones (11), ones (10, 12), ones (11), 11, 11, [1 1 1], 0);
%!error <input 6 \(weights\) holds 2 values, fewer than the 3> x = anchorfield (ones (11), ones (11), ones (11), 11, 11, [1 1], 0);
%!error id=planestat:anchorfield:tooFewValues x = anchorfield (ones (11), ones (11), ones (11), 12, 11, [1 1 1], 0);
%!error <plane 2 \(input 3\) holds NaN at row 3, column 4; pixel values must lie above -1 and below 256> P = ones (11); P(3,4) = NaN; x = anchorfield (ones (11), ones (11), P, 11, 11, [1 1 1], 0);
%!error <plane 0 \(input 1\) holds -1 at row 11, column 1> P = ones (11); P(11,1) = -1; x = anchorfield (P, ones (11), ones (11), 11, 11, [1 1 1], 0);
%!error id=planestat:anchorfield:badPixel P = ones (11); P(1,11) = 256; x = anchorfield (ones (11), P, ones (11), 11, 11, [1 1 1], 0);
